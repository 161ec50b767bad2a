// The one writer's promises on Linux, through its real calls: a whole file replaces the old one
// and keeps its permissions, a link is replaced and never followed, a write that fails midway
// (past the file size limit, as on a full disk) keeps the old file, a device is written into and
// a named pipe is written into or replaced as the target says.
#include "base/AtomicFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace tarvek;
namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("tarvek-atomic-test-" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string file(const std::string& name, const char* content = nullptr) const
    {
        const fs::path path = m_folder / name;
        if (content != nullptr) {
            std::ofstream(path, std::ios::binary) << content;
        }
        return path.string();
    }
    static std::string contentOf(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }

    fs::path m_folder;
};

} // namespace

TEST_F(AtomicFileTest, ReplacesTheWholeFileKeepingItsModeAndNeverFollowsALink)
{
    const std::string options = file("Optionen.txt", "Importpfad|/srv/alt/\r\nDownload|true\r\n");
    fs::permissions(options, fs::perms(0640));
    ASSERT_TRUE(writeFileAtomically(options, "Download|false\r\n"));
    EXPECT_EQ(contentOf(options), "Download|false\r\n");
    EXPECT_EQ(fs::status(options).permissions(), fs::perms(0640));

    const std::string victim = file("opfer.txt", "geheim\n");
    const std::string link = file("Rechnung.txt");
    fs::create_symlink(victim, link);
    for (const WriteTarget target : {WriteTarget::Output, WriteTarget::Document}) {
        ASSERT_TRUE(writeFileAtomically(link, "neu", target));
        EXPECT_FALSE(fs::is_symlink(link));
        EXPECT_EQ(contentOf(link), "neu");
        EXPECT_EQ(contentOf(victim), "geheim\n");
        fs::remove(link);
        fs::create_symlink(victim, link);
    }
    EXPECT_EQ(entries(), 3u); // no temporary file left
}

TEST_F(AtomicFileTest, AFailedWriteKeepsTheOldFileAndSaysWhy)
{
    const auto missing = writeFileAtomically(file("fehlt/Rechnung.pdf"), "%PDF");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, FileErrorKind::System);
    EXPECT_EQ(missing.error().errorNumber, ENOENT);
    EXPECT_EQ(missing.error().reason, "Datei oder Ordner nicht gefunden");

    // Past the file size limit a write fails as on a full disk, also for root.
    const std::string old = file("Haus.cfg", "Entry Header\r\n");
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto written = writeFileAtomically(old, "Entry Header\r\n{\r\n}\r\n");
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, handler);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().reason, "Datei zu groß");
    EXPECT_EQ(contentOf(old), "Entry Header\r\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFileTest, ADeviceIsWrittenIntoAndAPipeAsTheTargetSays)
{
    // A device of its own, so that a writer that replaced it would harm no other program.
    const std::string device = file("null");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        for (const WriteTarget target : {WriteTarget::Output, WriteTarget::Document}) {
            EXPECT_TRUE(writeFileAtomically(device, "nichts", target));
            struct stat status
            {};
            ASSERT_EQ(::lstat(device.c_str(), &status), 0);
            EXPECT_TRUE(S_ISCHR(status.st_mode));
        }
        fs::remove(device);
    }

    const std::string pipe = file("rohr");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Opened for reading first, without waiting for a writer: the output goes into the pipe.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(writeFileAtomically(pipe, "Grafik;Preis\r\n", WriteTarget::Output));
    std::string piped(64, '\0');
    piped.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, piped.data(), 64))));
    ::close(reader);
    EXPECT_EQ(piped, "Grafik;Preis\r\n");
    // A document, with nobody reading, replaces the pipe at once.
    EXPECT_TRUE(writeFileAtomically(pipe, "%PDF", WriteTarget::Document));
    EXPECT_TRUE(fs::is_regular_file(pipe));
    EXPECT_EQ(contentOf(pipe), "%PDF");
    EXPECT_EQ(entries(), 1u);
}
