#include "CueFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString ExistingFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.absoluteFilePath() : QString();
}

// A regular file in folder whose name equals name but for case.
QString FileIgnoringCase(const QDir &folder, const QString &name)
{
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.absoluteFilePath(entry);
    }
    return {};
}

} // namespace

QString ResolveCueFile(const QString &cueName)
{
    const QFileInfo cue(QDir::current(), cueName);
    const QString wavName = cue.fileName() + QStringLiteral(".wav");
    for (const QString &path : {cue.filePath(), cue.dir().filePath(wavName)}) {
        if (QString file = ExistingFile(path); !file.isEmpty())
            return file;
    }
    for (const QString &name : {cue.fileName(), wavName}) {
        if (QString file = FileIgnoringCase(cue.dir(), name); !file.isEmpty())
            return file;
    }
    return {};
}

QString DefaultCueFile()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    // Installed: bin/minukape with share/minukape/Default.wav; the build tree
    // puts share/minukape beside the program and beside each test's folder.
    for (const char *relative : {"../share/minukape/Default.wav", "share/minukape/Default.wav"}) {
        if (QString file = ExistingFile(programDir.filePath(QString::fromLatin1(relative))); !file.isEmpty())
            return file;
    }
    return {};
}
