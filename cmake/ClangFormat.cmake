# The targets `format`, which formats every C++ file of src/, tests/ and bench/ in place with
# clang-format and the root's .clang-format, and `check-format`, which runs
# scripts/check-format.sh (the editor settings and the same format, changing nothing).
find_program(TARVEK_CLANG_FORMAT NAMES clang-format clang-format-14
             DOC "clang-format for the targets format and check-format")
if(NOT TARVEK_CLANG_FORMAT)
    message(STATUS "clang-format not found: no targets format and check-format")
    return()
endif()

file(GLOB_RECURSE tarvek_format_sources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h
     ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h
     ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.h)
add_custom_target(format
    COMMAND ${TARVEK_CLANG_FORMAT} -i ${tarvek_format_sources}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Formatting the C++ files with clang-format"
    VERBATIM)
add_custom_target(check-format
    COMMAND ${CMAKE_COMMAND} -E env CLANG_FORMAT=${TARVEK_CLANG_FORMAT}
            ${CMAKE_SOURCE_DIR}/scripts/check-format.sh
    COMMENT "Checking the editor settings and the C++ format"
    VERBATIM)
