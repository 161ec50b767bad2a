#pragma once

#include "calc/ComparisonText.h"

#include <QImage>
#include <QString>

// The comparison as a document: the PDF of "Vergleich speichern ..." (German, A4, pages numbered)
// and the text and HTML of "Vergleich kopieren". The file names are shown with their control
// characters made visible; the findings' lines are as the runs wrote them.
class CompareDocument
{
public:
    // With the two runs (their items recorded), the PDF ends with the plan of the differences.
    CompareDocument(QString oldFile, QString newFile, const tarvek::Comparison& comparison,
                    const tarvek::Calculation* oldRun = nullptr,
                    const tarvek::Calculation* newRun = nullptr);

    // The whole report as HTML: date and time, files, figures, items added and removed,
    // findings.
    QString html() const;
    // The same as text in fixed columns.
    QString plainText() const;
    // Writes the PDF atomically; throws std::runtime_error with a German message on failure.
    void writePdf(const QString& path) const;

private:
    QString m_oldFile;
    QString m_newFile;
    // The plan of the differences as a picture; a null image without the runs.
    QImage planOfDifferences() const;

    const tarvek::Comparison& m_comparison;
    const tarvek::Calculation* m_oldRun;
    const tarvek::Calculation* m_newRun;
};
