#include "platform/app_settings.h"

static const char* const kRecentKey = "Recent File List/files";

AppSettings::AppSettings() : m_settings("Merrow Lab Applications", "CorvidPlot") {}

QStringList AppSettings::RecentFiles() const
{
    QStringList files = m_settings.value(kRecentKey).toStringList();
    while (files.size() > kRecentFileCount)
        files.removeLast();
    return files;
}

void AppSettings::AddRecentFile(const QString& path)
{
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount)
        files.removeLast();
    m_settings.setValue(kRecentKey, files);
}

void AppSettings::RemoveRecentFile(const QString& path)
{
    QStringList files = RecentFiles();
    files.removeAll(path);
    m_settings.setValue(kRecentKey, files);
}

QVariant AppSettings::Value(const QString& key, const QVariant& fallback) const
{
    return m_settings.value(key, fallback);
}

void AppSettings::SetValue(const QString& key, const QVariant& value)
{
    m_settings.setValue(key, value);
}
