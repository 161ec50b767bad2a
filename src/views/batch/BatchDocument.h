#pragma once

#include "calc/Batch.h"
#include "gui/PagedDocument.h"

#include <QString>

#include <vector>

// The batch's two tables as a document, in the order and with the rows the window shows: on
// landscape pages for the PDF (the widest columns left out when they do not fit), as HTML and as
// plain text with tabs between the fields for the clipboard. `about` says what the batch ran with
// (fees, rule).
PagedDocument batchDocument(const std::vector<tarvek::BatchRow>& rows,
                            const std::vector<tarvek::UnpricedEntry>& unpriced,
                            const QString& about);
QString batchPlainText(const std::vector<tarvek::BatchRow>& rows,
                       const std::vector<tarvek::UnpricedEntry>& unpriced, const QString& about);
