#pragma once

// What the photo benchmarks share: where the corpus of large photos lives
// (made by bench/make-corpus) and the nine-cell grid they lay it out in.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// The corpus folder: $TESSERA_CORPUS, or where make-corpus puts it.
inline QString corpus()
{
    const QByteArray env = qgetenv("TESSERA_CORPUS");
    return env.isEmpty() ? QStringLiteral("/tmp/tessera-corpus") : QString::fromLocal8Bit(env);
}

// A 3 × 3 grid with thin white borders, square, written into `dir`.
inline QString nineCellTemplate(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("grid9.fdd"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        QByteArray text = "1,1\n";
        for (int row = 2; row >= 0; --row)
            for (int col = 0; col < 3; ++col)
                text += QByteArray::number(col / 3.0) + ',' + QByteArray::number(row / 3.0)
                    + ",0.333333,0.333333:L,0.02:*\n";
        f.write(text);
    }
    return path;
}
