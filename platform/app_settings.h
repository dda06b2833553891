#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

/// The user's settings, kept per user under the organisation
/// "Merrow Lab Applications" and the application "CorvidPlot".
class AppSettings {
public:
    static constexpr int kRecentFileCount = 4;

    AppSettings();

    /// The recent files, newest first, at most four.
    QStringList RecentFiles() const;
    /// Puts `path` first in the recent files, dropping a duplicate and the fifth.
    void AddRecentFile(const QString& path);
    /// Drops `path` from the recent files (it could not be opened).
    void RemoveRecentFile(const QString& path);

    QVariant Value(const QString& key, const QVariant& fallback = {}) const;
    void SetValue(const QString& key, const QVariant& value);

private:
    mutable QSettings m_settings;
};
