// The tests' own records, read from tests/: the original window as every
// face must show it (window.json), and what a recording may lose before the
// sound's path, not the program, is blamed (recording.json). Never the
// program's tables.
#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// A record in tests/ by its file's name; empty where it cannot be read, which fails every check of it.
inline QJsonObject TestRecord(const char *name)
{
    QFile file(QStringLiteral(MINUKAPE_SOURCE_DIR "/tests/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

// Read once: the tests ask for it at every row.
inline const QJsonObject &Original()
{
    static const QJsonObject window = TestRecord("window.json");
    return window;
}

// One of the original's controls by name.
inline QJsonObject OriginalControl(const QString &name)
{
    for (const QJsonValue &control : Original()[u"controls"].toArray())
        if (control[u"name"] == name)
            return control.toObject();
    return {};
}
