#include "WidgetAccessibility.h"

#include "TBDigit.h"
#include "TBLED.h"
#include "TBProgress.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <array>
#include <type_traits>

namespace {

// A widget whose value is what it shows: its value text, also its description unless the window
// gives one.
class ShownAccessible : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            return shownText();
        }
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Description && text.isEmpty()) {
            text = shownText();
        }
        return text;
    }

protected:
    virtual QString shownText() const = 0;
};

// A widget that shows one number: the number display and the progress bar.
template <typename Widget>
class NumberAccessible : public ShownAccessible, public QAccessibleValueInterface
{
public:
    NumberAccessible(Widget* widget, QAccessible::Role role, int maximum, QString unit)
        : ShownAccessible(widget, role), m_maximum(maximum), m_unit(std::move(unit))
    {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return ShownAccessible::interface_cast(t);
    }

    QVariant currentValue() const override { return shown()->Wert(); }
    void setCurrentValue(const QVariant& /*value*/) override {} // a display, not an input
    QVariant maximumValue() const override { return m_maximum; }
    QVariant minimumValue() const override { return -m_maximum * int(hasMinus()); }
    QVariant minimumStepSize() const override { return 1; }

private:
    Widget* shown() const { return static_cast<Widget*>(widget()); }
    bool hasMinus() const
    {
        if constexpr (std::is_same_v<Widget, TBDigit>) {
            return shown()->Minusfeld();
        }
        return false;
    }
    QString shownText() const override
    {
        if constexpr (std::is_same_v<Widget, TBDigit>) {
            if (shown()->Error()) {
                return QStringLiteral("Fehler");
            }
        }
        return QString::number(shown()->Wert()) + m_unit;
    }

    int m_maximum;
    QString m_unit;
};

class LampAccessible : public ShownAccessible
{
public:
    explicit LampAccessible(TBLED* lamp) : ShownAccessible(lamp, QAccessible::Indicator) {}

private:
    QString shownText() const override
    {
        const auto* lamp = static_cast<const TBLED*>(widget());
        return (lamp->AnAus() ? QStringLiteral("an, ") : QStringLiteral("aus, ")) +
               WidgetAccessibility::colourName(lamp->AnAus() ? lamp->FarbeAn() : lamp->FarbeAus());
    }
};

int digitMaximum(const TBDigit& digit)
{
    int maximum = 1;
    for (int i = 0; i < digit.Digitanzahl() && maximum <= 214748364; ++i) {
        maximum *= 10;
    }
    return maximum - 1;
}

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TBDigit")) {
        auto* digit = static_cast<TBDigit*>(object);
        return new NumberAccessible<TBDigit>(digit, QAccessible::StaticText, digitMaximum(*digit),
                                             QString());
    }
    if (className == QLatin1String("TBProgress")) {
        return new NumberAccessible<TBProgress>(
            static_cast<TBProgress*>(object), QAccessible::ProgressBar, 100, QStringLiteral(" %"));
    }
    if (className == QLatin1String("TBLED")) {
        return new LampAccessible(static_cast<TBLED*>(object));
    }
    return nullptr;
}

} // namespace

void WidgetAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void WidgetAccessibility::valueChanged(QWidget* widget)
{
    if (!QAccessible::isActive()) {
        return;
    }
    QVariant value = widget->property("Wert");
    if (!value.isValid()) {
        value = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Value);
    }
    QAccessibleValueChangeEvent event(widget, value);
    QAccessible::updateAccessibility(&event);
}

QString WidgetAccessibility::colourName(const QColor& colour)
{
    struct Named
    {
        QRgb rgb;
        const char* name;
    };
    static constexpr std::array<Named, 13> Names = {{
        {0x000000, "schwarz"},
        {0xFFFFFF, "weiß"},
        {0xFF0000, "rot"},
        {0x800000, "dunkelrot"},
        {0x00FF00, "grün"},
        {0x008000, "dunkelgrün"},
        {0x0000FF, "blau"},
        {0x000080, "dunkelblau"},
        {0xFFFF00, "gelb"},
        {0x00FFFF, "türkis"},
        {0xFF00FF, "violett"},
        {0x808080, "grau"},
        {0xC0C0C0, "silber"},
    }};
    const QRgb rgb = colour.rgb() & 0xFFFFFF;
    for (const Named& named : Names) {
        if (named.rgb == rgb) {
            return QString::fromUtf8(named.name);
        }
    }
    return colour.name();
}
