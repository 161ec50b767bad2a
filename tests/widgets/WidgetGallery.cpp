// Writes a picture of every display widget, in the configurations the main window and the
// download window use, as PNG files into the folder given on the command line. Each picture
// is written at its real size and, for looking at the pixels, enlarged four times.

#include "widgets/TBDigit.h"
#include "widgets/TBLED.h"
#include "widgets/TBProgress.h"
#include "widgets/TBVerlauf.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTextStream>

#include <functional>

namespace {

constexpr int Zoom = 4;

class Gallery
{
public:
    explicit Gallery(const QString& folder) : m_folder(folder) {}

    // Renders the widget over a window-coloured background and writes name.png and
    // name-x4.png.
    bool write(const QString& name, QWidget& widget)
    {
        widget.ensurePolished();
        QImage image(widget.size(), QImage::Format_RGB32);
        image.fill(QColor(240, 240, 240));
        widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QImage large = image.scaled(image.size() * Zoom);
        const bool ok = image.save(m_folder.filePath(name + ".png")) &&
                        large.save(m_folder.filePath(name + "-x4.png"));
        QTextStream(stdout) << (ok ? "" : "FAILED ") << m_folder.filePath(name + ".png") << '\n';
        m_failures += ok ? 0 : 1;
        return ok;
    }

    int failures() const { return m_failures; }

private:
    QDir m_folder;
    int m_failures = 0;
};

// The main window's number displays: black segments on silver-to-white glass.
void mainWindowDigit(TBDigit& display, int digits, bool minusField, int value)
{
    display.setFarbe(QColor(0, 0, 0));
    display.setGlaslicht(QColor(192, 192, 192));
    display.setGlasschatten(QColor(255, 255, 255));
    display.setDigitanzahl(digits);
    display.setMinusfeld(minusField);
    display.setWert(value);
}

void mainWindowDisplays(Gallery& gallery)
{
    // Per-cent display beside the progress bar, and the four counters below it.
    const struct
    {
        const char* name;
        int digits;
        bool minusField;
        int value;
    } displays[] = {
        {"main-BDigit1-percent", 3, false, 42},      {"main-BDigit2-items", 10, false, 1234567},
        {"main-BDigit3-lowest-z", 9, true, -45},     {"main-BDigit4-square-steps", 9, true, 1316},
        {"main-BDigit5-total", 9, true, 2147483647},
    };
    for (const auto& d : displays) {
        TBDigit display;
        mainWindowDigit(display, d.digits, d.minusField, d.value);
        gallery.write(d.name, display);
    }

    TBDigit digits;
    digits.setDigitanzahl(10);
    digits.setWert(1234567890);
    gallery.write("digits-0-9-G1", digits);
}

void mainWindowLamps(Gallery& gallery)
{
    for (const bool lit : {false, true}) {
        TBLED lamp;
        lamp.resize(15, 15);
        lamp.setFarbeAn(QColor(0, 255, 0));
        lamp.setFarbeAus(QColor(128, 128, 128));
        lamp.setRand(1);
        lamp.setRandfarbe(QColor(128, 128, 128));
        lamp.setLichtpunkt(2);
        lamp.setLichtpunktx(5);
        lamp.setLichtpunkty(4);
        lamp.setAnAus(lit);
        gallery.write(lit ? "main-BLED-lit" : "main-BLED-dark", lamp);
    }
    TBLED standard;
    standard.setAnAus(true);
    gallery.write("BLED-default-lit", standard);
}

void progressBars(Gallery& gallery)
{
    TBProgress main;
    main.resize(231, 19);
    main.setLED_Schatten(QColor(255, 0, 0));
    main.setWert(50);
    gallery.write("main-BProgress1-50", main);

    TBProgress upright;
    upright.setAusrichtung(TBProgress::tausricht::Vertikal);
    upright.resize(19, 231);
    upright.setWert(50);
    gallery.write("BProgress-upright-50", upright);
}

void downloadWindow(Gallery& gallery)
{
    TBProgress bar;
    bar.resize(288, 20);
    bar.setPanel_Schatten(QColor(240, 240, 240));
    bar.setWert(73);
    gallery.write("download-BProgress1-73", bar);

    TBDigit percent;
    percent.setDigitanzahl(3);
    percent.setWert(73);
    gallery.write("download-BDigit1-73", percent);

    TBVerlauf panel;
    panel.resize(19, 19);
    panel.setVonfarbe(QColor(192, 192, 192));
    panel.setBisfarbe(QColor(0, 0, 0));
    auto* sign = new QLabel("%", &panel);
    QFont font = sign->font();
    font.setPixelSize(16);
    font.setBold(true);
    sign->setFont(font);
    sign->setStyleSheet("color: white; background: transparent;");
    sign->setAlignment(Qt::AlignCenter);
    sign->setGeometry(panel.rect());
    gallery.write("download-BVerlauf1-percent", panel);

    TBVerlauf framed;
    framed.resize(60, 40);
    framed.setRichtung(TBVerlauf::torientation::Vertikal);
    framed.setRaster(4);
    framed.setRahmen(true);
    gallery.write("BVerlauf-upright-framed", framed);
}

void sizesAndStates(Gallery& gallery)
{
    const std::function<void(TBDigit&)> none = [](TBDigit&) {};
    const struct
    {
        const char* name;
        TBDigit::tgroesse size;
        std::function<void(TBDigit&)> setUp;
    } cases[] = {
        {"digits-G2", TBDigit::tgroesse::G2, none},
        {"digits-G3", TBDigit::tgroesse::G3, none},
        {"digits-G3-error", TBDigit::tgroesse::G3, [](TBDigit& d) { d.setError(true); }},
        {"digits-G1-error", TBDigit::tgroesse::G1, [](TBDigit& d) { d.setError(true); }},
        {"digits-G1-zeros", TBDigit::tgroesse::G1, [](TBDigit& d) { d.setNullen(true); }},
        {"digits-G1-blanked", TBDigit::tgroesse::G1, [](TBDigit& d) { d.setDigitsVisible(false); }},
    };
    for (const auto& c : cases) {
        TBDigit digits;
        digits.setGroesse(c.size);
        digits.setDigitanzahl(6);
        digits.setMinusfeld(true);
        digits.setWert(-90817);
        c.setUp(digits);
        gallery.write(c.name, digits);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "Aufruf: " << argv[0] << " ZIELORDNER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        QTextStream(stderr) << "Ordner " << folder << " kann nicht angelegt werden\n";
        return 1;
    }
    Gallery gallery(folder);
    mainWindowDisplays(gallery);
    mainWindowLamps(gallery);
    progressBars(gallery);
    downloadWindow(gallery);
    sizesAndStates(gallery);
    return gallery.failures() == 0 ? 0 : 1;
}
