# The program's pictures for a Qt without its SVG module (the Windows build): every SVG of the
# program drawn as PNG when the program is built (rsvg-convert, Debian: librsvg2-bin), the
# program's icon also in the sizes of a Windows icon file (icotool, Debian: icoutils).
#
# tarvek_render_icons(SOURCES_VARIABLE ICO_VARIABLE SVG...): compiles the PNGs into a resource
# under the same names as the SVGs (":/tarvek/icons/<name>.png", drawn at twice the SVG's size)
# and "tarvek-<size>.png" for the program's icon; sets SOURCES_VARIABLE to the resource's source
# and ICO_VARIABLE to the generated tarvek.ico.
function(tarvek_render_icons sources_variable ico_variable)
    find_program(TARVEK_RSVG_CONVERT rsvg-convert REQUIRED)
    find_program(TARVEK_ICOTOOL icotool REQUIRED)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/icons)
    file(MAKE_DIRECTORY ${out})
    set(qrc "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/tarvek\">\n")
    foreach(svg IN LISTS ARGN)
        get_filename_component(name ${svg} NAME_WLE)
        if(name STREQUAL "de.velmar.Tarvek")
            set(name tarvek)
        endif()
        add_custom_command(OUTPUT ${out}/${name}.png
            COMMAND ${TARVEK_RSVG_CONVERT} --zoom 2 --output ${out}/${name}.png ${svg}
            DEPENDS ${svg} VERBATIM)
        string(APPEND qrc "    <file alias=\"icons/${name}.png\">${out}/${name}.png</file>\n")
        if(name STREQUAL "tarvek")
            set(program_svg ${svg})
        endif()
    endforeach()
    set(ico_pngs "")
    foreach(size 16 24 32 48 64 256)
        add_custom_command(OUTPUT ${out}/tarvek-${size}.png
            COMMAND ${TARVEK_RSVG_CONVERT} --width ${size} --height ${size}
                    --output ${out}/tarvek-${size}.png ${program_svg}
            DEPENDS ${program_svg} VERBATIM)
        list(APPEND ico_pngs ${out}/tarvek-${size}.png)
        string(APPEND qrc
               "    <file alias=\"icons/tarvek-${size}.png\">${out}/tarvek-${size}.png</file>\n")
    endforeach()
    add_custom_command(OUTPUT ${out}/tarvek.ico
        COMMAND ${TARVEK_ICOTOOL} --create --output ${out}/tarvek.ico ${ico_pngs}
        DEPENDS ${ico_pngs} VERBATIM)
    string(APPEND qrc "  </qresource>\n</RCC>\n")
    # Written when configuring, so that Qt's resource compiler knows the pictures it waits for.
    file(WRITE ${out}/icons.qrc.new "${qrc}")
    file(COPY_FILE ${out}/icons.qrc.new ${out}/icons.qrc ONLY_IF_DIFFERENT)
    qt_add_resources(sources ${out}/icons.qrc)
    set(${sources_variable} ${sources} PARENT_SCOPE)
    set(${ico_variable} ${out}/tarvek.ico PARENT_SCOPE)
endfunction()
