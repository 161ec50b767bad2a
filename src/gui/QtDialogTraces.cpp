#include "gui/QtDialogTraces.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString Organisation = QStringLiteral("QtProject");
const QString DialogGroup = QStringLiteral("FileDialog");

#ifdef Q_OS_WIN
const wchar_t* const StoreKey = L"Software\\QtProject";
#endif

} // namespace

bool QtDialogTraces::storeExists()
{
#ifdef Q_OS_WIN
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, StoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
#else
    return QFileInfo::exists(QSettings(QSettings::UserScope, Organisation).fileName());
#endif
}

QtDialogTraces::QtDialogTraces() : m_storeExisted(storeExists())
{
    if (!m_storeExisted) {
        return;
    }
    QSettings settings(QSettings::UserScope, Organisation);
    settings.beginGroup(DialogGroup);
    for (const QString& key : settings.allKeys()) {
        m_dialogGroup.insert(key, settings.value(key));
    }
}

QtDialogTraces::~QtDialogTraces()
{
    if (!m_storeExisted) {
#ifdef Q_OS_WIN
        RegDeleteTreeW(HKEY_CURRENT_USER, StoreKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, StoreKey);
#else
        QFile::remove(QSettings(QSettings::UserScope, Organisation).fileName());
#endif
        return;
    }
    QSettings settings(QSettings::UserScope, Organisation);
    settings.beginGroup(DialogGroup);
    settings.remove(QString());
    for (auto value = m_dialogGroup.cbegin(); value != m_dialogGroup.cend(); ++value) {
        settings.setValue(value.key(), value.value());
    }
}
