#include "editor/TImportedit.h"

#include "base/Cp1252.h"
#include "base/Utf8.h"
#include "editor/TFindDialog.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/ErrorReport.h"
#include "gui/FileErrors.h"
#include "gui/FileNameText.h"
#include "gui/FileWriter.h"
#include "gui/Fonts.h"
#include "importfile/ImportLines.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <stdexcept>
#include <string>
#include <string_view>

namespace {

const QString ChangedMark = QStringLiteral("* ");

bool isLineBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n' || c == u'\r';
}

// The UTF-8 of U+FFFD, which the editor shows for bytes of a UTF-8 file that are no UTF-8.
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// A character as the error names it: "„→“ (U+2192)"; one that shows nothing (a direction mark,
// a control) by its number alone.
QString characterText(char32_t codePoint)
{
    QString number = QStringLiteral("U+%1").arg(uint(codePoint), 4, 16, QLatin1Char('0')).toUpper();
    if (!QChar::isPrint(codePoint)) {
        return number;
    }
    return QStringLiteral("\u201E%1\u201C (%2)").arg(QString::fromUcs4(&codePoint, 1), number);
}

// Why `line` of the editor cannot be written back (worded to follow "Zeile N "); empty when it
// can. allMapped: the file's encoding holds every character of the line. malformed: the file was
// read with bytes that are no UTF-8, shown as U+FFFD.
QString unsavableLine(const QString& line, bool allMapped, bool malformed)
{
    if (malformed && line.contains(QChar::ReplacementCharacter)) {
        return QStringLiteral("enthält Bytes, die kein gültiges UTF-8 sind (im Editor als "
                              "\u201E\uFFFD\u201C gezeigt). Gespeichert würde an ihrer Stelle "
                              "dieses Zeichen. Bitte es ersetzen oder die Zeile löschen.");
    }
    if (allMapped) {
        return QString();
    }
    for (const char32_t codePoint : line.toUcs4()) {
        std::string utf8;
        tarvek::appendUtf8(utf8, codePoint);
        bool mapped = true;
        tarvek::utf8ToCp1252(utf8, &mapped);
        if (!mapped) {
            return QStringLiteral("enthält das Zeichen %1, das es in der Kodierung der Datei "
                                  "(Windows-1252) nicht gibt. Bitte es ersetzen oder "
                                  "entfernen.")
                .arg(characterText(codePoint));
        }
    }
    return QStringLiteral("enthält ein Zeichen, das es in der Kodierung der Datei nicht gibt.");
}

} // namespace

TImportedit::TImportedit(QWidget* parent) : QDialog(parent)
{
    setUpFixedDialog(this, "Importedit", QStringLiteral("Importdatei einsehen"), QSize(720, 560));

    auto* warning = new QLabel(
        QStringLiteral("Achtung: Falls Einträge nicht der normalen Syntax entsprechen lässt sich "
                       "der Import nicht mehr importieren!!!"),
        this);
    warning->setObjectName(QStringLiteral("Label1"));
    warning->setGeometry(8, 6, 704, 17);
    warning->setStyleSheet(QStringLiteral("color: #FF0000;"));

    m_memo1 = new QPlainTextEdit(this);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setAccessibleName(QStringLiteral("Text der Importdatei"));
    m_memo1->setGeometry(8, 28, 704, 488);
    m_memo1->setFont(Fonts::courierNew(13));
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setTabStopDistance(8 * QFontMetricsF(m_memo1->font()).horizontalAdvance(u' '));

    QPushButton* find =
        makeButton(this, "BitBtn1", QStringLiteral("Suchen"), QRect(8, 526, 120, 25));
    m_save = makeButton(this, "BitBtn2", QStringLiteral("Speichern und schliessen"),
                        QRect(384, 526, 164, 25));
    QPushButton* close = makeButton(this, "BitBtn3", QStringLiteral("Schliessen ohne speichern"),
                                    QRect(548, 526, 164, 25));

    m_findDialog = new TFindDialog(this);

    connect(find, &QPushButton::clicked, this, &TImportedit::BitBtn1Click);
    connect(m_save, &QPushButton::clicked, this, &TImportedit::BitBtn2Click);
    connect(close, &QPushButton::clicked, this, &TImportedit::BitBtn3Click);
    connect(m_findDialog, &TFindDialog::find, this, &TImportedit::FindDialog1Find);
    connect(m_memo1->document(), &QTextDocument::modificationChanged, this,
            &TImportedit::markChanges);
}

bool TImportedit::hasUnsavedChanges() const
{
    return m_save->isEnabled() && m_memo1->document()->isModified();
}

void TImportedit::markChanges(bool changed)
{
    QString title = windowTitle();
    if (title.startsWith(ChangedMark)) {
        title.remove(0, ChangedMark.size());
    }
    setWindowTitle(changed ? ChangedMark + title : title);
}

void TImportedit::reject()
{
    if (hasUnsavedChanges() &&
        !Dialogs::choose(this, QStringLiteral("Änderungen verwerfen?"),
                         QStringLiteral("Der Text der Importdatei wurde geändert. Sollen die "
                                        "Änderungen verworfen werden?"),
                         QStringLiteral("Verwerfen"), QStringLiteral("Zurück zum Editor"))) {
        return;
    }
    QDialog::reject();
}

void TImportedit::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_findPos = 0;
    m_memo1->clear();
    // Without the file's text, saving would overwrite the file with an empty one.
    m_save->setEnabled(false);
    if (ErrorReport::guard(this, [this] { load(); })) {
        m_save->setEnabled(true);
    }
}

void TImportedit::hideEvent(QHideEvent* event)
{
    m_findDialog->hide();
    QDialog::hideEvent(event);
}

void TImportedit::load()
{
    // Read as the calculation reads it: a stranger's pipe or giant file is refused.
    tarvek::TextEncoding encoding = tarvek::TextEncoding::Windows1252;
    const auto lines = tarvek::readImportLines(engineFileName(m_editFileName), &encoding);
    if (!lines) {
        throw std::runtime_error(
            FileErrors::cannotOpen(m_editFileName, QString::fromStdString(lines.error().reason))
                .toStdString());
    }
    m_encoding = encoding;
    m_malformed = false;
    QString text;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        if (i > 0) {
            text += u'\n';
        }
        const std::string& line = (*lines)[i];
        const std::string editable = tarvek::editableText(line, encoding);
        // A stand-in U+FFFD that does not encode back to the line's bytes stands for bytes that
        // are no UTF-8.
        m_malformed = m_malformed || (editable.find(kReplacementUtf8) != std::string::npos &&
                                      tarvek::encodedText(editable, encoding) != line);
        text += QString::fromStdString(editable);
    }
    m_memo1->setPlainText(text);
    m_memo1->moveCursor(QTextCursor::Start);
}

QString TImportedit::editorText() const
{
    // The raw text keeps non-breaking spaces, which the plain text would turn into blanks.
    return m_memo1->document()->toRawText();
}

std::optional<QByteArray> TImportedit::fileContent()
{
    const QString text = editorText();
    QByteArray content;
    content.reserve(text.size() + text.size() / 16);
    if (m_encoding == tarvek::TextEncoding::Utf8WithBom) {
        content += QByteArray::fromStdString(std::string(tarvek::kUtf8Bom));
    }
    qsizetype start = 0;
    qsizetype number = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLineBreak(text[i])) {
            continue;
        }
        // An empty text is an empty file; otherwise every line ends in CR LF.
        if (i == text.size() && start == i && i == 0) {
            break;
        }
        ++number;
        const QString line = text.mid(start, i - start);
        const QByteArray utf8 = line.toUtf8();
        bool allMapped = true;
        const std::string bytes = tarvek::encodedText(
            std::string_view(utf8.constData(), std::size_t(utf8.size())), m_encoding, &allMapped);
        const QString refusal = unsavableLine(line, allMapped, m_malformed);
        if (!refusal.isEmpty()) {
            QTextCursor cursor(m_memo1->document());
            cursor.setPosition(static_cast<int>(start));
            m_memo1->setTextCursor(cursor);
            Dialogs::error(this, QStringLiteral("Die Importdatei wird nicht gespeichert: Zeile %1 "
                                                "%2")
                                     .arg(QString::number(number), refusal));
            return std::nullopt;
        }
        content += QByteArray::fromStdString(bytes);
        content += "\r\n";
        start = i + 1;
    }
    return content;
}

void TImportedit::BitBtn1Click()
{
    m_findPos = 0;
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void TImportedit::FindDialog1Find(const QString& text)
{
    const QString whole = editorText();
    const bool continued = m_findPos != 0;
    const qsizetype start = continued ? m_findPos - 1 + text.size() : 0;
    const qsizetype found = text.isEmpty() ? -1 : whole.indexOf(text, start, Qt::CaseSensitive);
    if (found >= 0) {
        m_findPos = static_cast<int>(found) + 1;
        QTextCursor cursor(m_memo1->document());
        cursor.setPosition(static_cast<int>(found));
        cursor.setPosition(static_cast<int>(found + text.size()), QTextCursor::KeepAnchor);
        m_memo1->setTextCursor(cursor);
        m_memo1->setFocus();
        return;
    }
    m_findPos = 0;
    const QString quoted = u'"' + text + u'"';
    Dialogs::notice(this, continued ? QStringLiteral("Keine weiteren Einträge mit der "
                                                     "Bezeichnung %1 gefunden")
                                          .arg(quoted)
                                    : quoted + QStringLiteral(" kann nicht gefunden werden"));
}

void TImportedit::BitBtn2Click()
{
    // A text that cannot be written as it shows is not offered for saving; the editor stays open.
    const std::optional<QByteArray> content = fileContent();
    if (!content) {
        return;
    }
    if (!Dialogs::ask(this, QStringLiteral("Sollen eventuelle Änderungen wirklich gespeichert "
                                           "werden?"))) {
        QDialog::reject(); // the answer No discards the changes, as the question says
        return;
    }
    // When the file cannot be written, the editor stays open with its text.
    if (!ErrorReport::guard(this,
                            [this, &content] { FileWriter::writeAll(m_editFileName, *content); })) {
        return;
    }
    m_memo1->document()->setModified(false);
    // Written: the editor closes. Only when the main window could read the file again is there
    // something to calculate anew.
    if (!ErrorReport::guard(this, [this] { emit saved(m_editFileName); })) {
        accept();
        return;
    }
    Dialogs::notice(this, QStringLiteral("Es wurden eventuelle Änderungen vorgenommen. Daher muss "
                                         "der Import zwangsläufig neu berechnet werden. Somit "
                                         "bitte die Berechnung erneut starten."));
    accept();
}

void TImportedit::BitBtn3Click()
{
    QDialog::reject(); // the button says that it closes without saving
}
