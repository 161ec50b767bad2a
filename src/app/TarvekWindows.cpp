#include "app/TarvekWindows.h"

#include "app/THauptformular.h"
#include "app/TInfo.h"
#include "app/TPfadangaben.h"
#include "importfile/editor/TImportedit.h"

TarvekWindows::TarvekWindows(const QString& programDir)
    : m_hauptformular(new THauptformular(programDir)),
      m_pfadangaben(new TPfadangaben(m_hauptformular->options(), m_hauptformular)),
      m_importedit(new TImportedit(m_hauptformular)), m_info(new TInfo(m_hauptformular))
{
    m_hauptformular->setDialogs(m_pfadangaben, m_importedit, m_info);
}

TarvekWindows::~TarvekWindows()
{
    delete m_hauptformular;
}
