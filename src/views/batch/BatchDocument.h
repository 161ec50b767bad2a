#pragma once

#include "calc/Batch.h"

#include <QString>

#include <vector>

// The batch's two tables as a document: HTML for the PDF and the clipboard, and plain text with
// tabs between the fields for the clipboard. `about` says what the batch was asked (fees, rule).
QString batchHtml(const std::vector<tarvek::BatchRow>& rows,
                  const std::vector<tarvek::UnpricedEntry>& unpriced, const QString& about);
QString batchPlainText(const std::vector<tarvek::BatchRow>& rows,
                       const std::vector<tarvek::UnpricedEntry>& unpriced);
