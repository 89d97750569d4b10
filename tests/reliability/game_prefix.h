#pragma once

// A throwaway Wine prefix made by scripts/make-demo-prefix: the game
// registered at C:\Spiele\Z7, its executable there, a Documents folder.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace z7::test {

class GamePrefix
{
public:
    GamePrefix()
    {
        QProcess make;
        make.start(QStringLiteral("bash"),
                   {QStringLiteral(Z7_MAKE_PREFIX), m_dir.path(), QStringLiteral("--hand")});
        m_made = make.waitForFinished(60000) && make.exitCode() == 0;
        EXPECT_TRUE(m_made) << make.readAllStandardError().toStdString();
    }

    bool made() const { return m_made; }
    QString path() const { return m_dir.path(); }
    QString game() const { return m_dir.filePath(QStringLiteral("drive_c/Spiele/Z7")); }
    QString model() const { return game() + QStringLiteral("/z7_model.txt"); }

    QByteArray modelBytes() const
    {
        QFile file(model());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void putModel(const QByteArray &bytes) const
    {
        QFile file(model());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QStringList gameEntries() const
    {
        return QDir(game()).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

private:
    QTemporaryDir m_dir;
    bool m_made = false;
};

} // namespace z7::test
