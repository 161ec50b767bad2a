#include "WidgetTestSupport.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// One QApplication for the whole test program.
class QtEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "widgets_test";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class PaintRecorder : public QObject
{
public:
    QRegion region;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(event)->region();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QImage renderWidget(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Unpainted);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QColor pixelAt(const QImage& image, int x, int y)
{
    if (!image.valid(x, y)) {
        return {};
    }
    return QColor(image.pixel(x, y));
}

QRegion repaintedBy(QWidget& widget, const std::function<void()>& change)
{
    PaintRecorder recorder;
    widget.installEventFilter(&recorder);
    if (!widget.isVisible()) {
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !recorder.region.isEmpty(); }, 2000));
    }
    QCoreApplication::processEvents();
    recorder.region = QRegion();
    change();
    // A change that repaints nothing leaves the region empty after the wait.
    static_cast<void>(QTest::qWaitFor([&] { return !recorder.region.isEmpty(); }, 500));
    widget.removeEventFilter(&recorder);
    return recorder.region;
}

void PrintTo(const QColor& colour, std::ostream* out)
{
    if (!colour.isValid()) {
        *out << "(no pixel)";
        return;
    }
    *out << '(' << colour.red() << ", " << colour.green() << ", " << colour.blue() << ')';
}
