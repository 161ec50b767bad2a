// The stress inputs through the main window, as a person would load and start them: each run
// ends with the window idle again and either a bill or exactly one message; a file without a
// header cannot be started and shows nothing.
#include "support/WindowFixture.h"
#include "support/engine/SampleInputs.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <string>

using namespace tarvek::hardening;

namespace {

const std::string kHeader = "Entry Header\r\n{\r\n}\r\n";

QByteArray bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string randomBytes(std::size_t size, std::uint32_t seed)
{
    std::string out(size, '\0');
    for (auto& c : out) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        c = static_cast<char>(seed >> 24);
    }
    return out;
}

struct StressFile
{
    const char* name;
    std::string content;
};

class WindowStressTest : public WindowFixture, public ::testing::WithParamInterface<StressFile>
{};

void PrintTo(const StressFile& file, std::ostream* out)
{
    *out << file.name;
}

} // namespace

TEST_P(WindowStressTest, EndsWithABillOrOneMessage)
{
    start();
    const QString path = writeFile(QStringLiteral("Stress.cfg"), bytes(GetParam().content));
    load(path);
    run();
    EXPECT_FALSE(window().RunActive());
    EXPECT_EQ(control("BitBtn2")->text(), QStringLiteral("Berechnung starten"));
    const int billLines = window().listBox(4)->model()->rowCount();
    QStringList errors;
    for (const auto& shown : m_dialogs.messages) {
        if (shown.icon != Dialogs::Icon::Question) {
            errors.append(shown.text.left(100));
        }
    }
    EXPECT_TRUE((billLines > 0 && errors.isEmpty()) || (billLines == 0 && errors.size() == 1))
        << billLines << " bill lines, messages: " << errors.join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, WindowStressTest,
    ::testing::Values(
        StressFile{"Sample", sampleImport()},
        StressFile{"TenThousandItems", generatedImport(10000, 3)},
        StressFile{"OnlyCarriageReturns", "Entry Header\r{\r" + std::string(200000, '\r')},
        StressFile{"MegabyteLine", kHeader + std::string(1 << 20, 'A') + "\r\n" + sampleImport()},
        StressFile{"GraphicOfManyDigits", kHeader + "Entry I 1\r\n\tgraphic\t" +
                                              std::string(20000, '7') +
                                              "\r\n\tx\t1\r\n\ty\t2\r\n\tz\t3\r\n\tcolor\t0\r\n"},
        StressFile{"RandomBytes", kHeader + randomBytes(128 * 1024, 5)},
        StressFile{"GraphicBeyond32Bits",
                   kHeader + "Entry I 1\r\n\tgraphic\t2147483648\r\n\tx\t1\r\n\ty\t2\r\n\tz\t3"
                             "\r\n\tcolor\t0\r\n"}),
    [](const ::testing::TestParamInfo<StressFile>& input) { return input.param.name; });

TEST_F(WindowStressTest, FilesWithoutAHeaderCannotBeStarted)
{
    start();
    for (const std::string& content : {std::string(1 << 20, '\r'), randomBytes(128 * 1024, 9),
                                       "Entry Header\r\n" + std::string(20000 * 14, 'x')}) {
        m_dialogs.messages.clear();
        load(writeFile(QStringLiteral("Kein.cfg"), bytes(content)));
        EXPECT_FALSE(control("BitBtn2")->isEnabled());
        EXPECT_TRUE(m_dialogs.messages.isEmpty());
    }
}
