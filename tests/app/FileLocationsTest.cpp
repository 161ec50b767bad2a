// Where a copy keeps its files: a portable copy in a folder it cannot write (as one unpacked
// under "Programme" on Windows) keeps them where an installed copy does, takes along what it
// brought, and says so once.
#include "app/FileLocations.h"
#include "app/OptionsFile.h"
#include "support/FakeDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef _WIN32
#include "support/engine/RegistryText.h"
#endif

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(fehlt)");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class FileLocationsTest : public GuiTest
{
protected:
    QTemporaryDir m_home;
    const QString m_program = m_home.filePath(QStringLiteral("Programme/Tarvek"));
    const QString m_user = m_home.filePath(QStringLiteral("Jörg Ω"));
};

TEST_F(FileLocationsTest, APortableCopyInAFolderItCannotWriteKeepsItsFilesWithTheUser)
{
    ASSERT_TRUE(QDir().mkpath(m_program));
    ASSERT_TRUE(QDir().mkpath(m_user));
    write(m_program + QStringLiteral("/Optionen.txt"), "Download|true\r\n");
    write(m_program + QStringLiteral("/preisliste.txt"), "0x0064|Kiste|10|1\r\n");
#ifdef _WIN32
    const RegistryText moved(
        HKEY_CURRENT_USER,
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", L"AppData",
        QDir::toNativeSeparators(m_user).toStdWString());
    const QString own = m_user + QStringLiteral("/Tarvek/");
    const QString data = own;
#else
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_user));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_user + QStringLiteral("/daten")));
    const QString own = m_user + QStringLiteral("/tarvek/");
    const QString data = m_user + QStringLiteral("/daten/tarvek/");
#endif
    const auto unwritable = [](const std::string&) { return false; };

    FileLocations files = FileLocations::ofProgram(m_program, unwritable);
    EXPECT_EQ(QDir(files.unwritableFolder), QDir(m_program));
    EXPECT_EQ(QDir(files.optionsDir), QDir(own));
    EXPECT_EQ(QDir(files.priceListDir), QDir(data));
    // What the copy brought is taken along byte for byte, and the folder stays as it was.
    EXPECT_EQ(bytesOf(files.optionsFile), QByteArray("Download|true\r\n"));
    EXPECT_EQ(bytesOf(data + QStringLiteral("Preisliste.txt")), "0x0064|Kiste|10|1\r\n");
    EXPECT_EQ(QDir(m_program).entryList(QDir::Files).size(), 2);

    // The user is told once, with both folders; the next start keeps the user's own files.
    FakeDialogs dialogs;
    const OptionsFile options = OptionsFile::atPath(files.optionsFile);
    tellUnwritableFolderOnce(nullptr, files, options);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QDir::toNativeSeparators(m_program)));
    EXPECT_TRUE(dialogs.messages[0].text.contains(QDir::toNativeSeparators(files.optionsDir)));
    options.Optionenspeichern(QStringLiteral("Download"), QStringLiteral("false"));
    files = FileLocations::ofProgram(m_program, unwritable);
    tellUnwritableFolderOnce(nullptr, files, options);
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(OptionsFile::atPath(files.optionsFile).Optionenladen(QStringLiteral("Download")),
              QStringLiteral("false"));

    // A writable folder stays the portable copy's own, without a word.
    files = FileLocations::ofProgram(m_program);
    EXPECT_EQ(files.unwritableFolder, QString());
    EXPECT_EQ(QDir(files.optionsDir), QDir(m_program));
#ifndef _WIN32
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
#endif
}

} // namespace
