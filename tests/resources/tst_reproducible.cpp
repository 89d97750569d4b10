// The generators are run again and must give exactly the bytes the build
// embedded: the resources may not depend on time, chance or the host.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray read(const QString &name)
{
    QFile f(name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

void run(const QString &program, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    ASSERT_TRUE(p.waitForFinished(120000)) << program.toStdString();
    ASSERT_EQ(p.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(p.exitCode(), 0) << program.toStdString();
}

const QString kFontDir = QStringLiteral(Z7_FONT_DIR);

} // namespace

TEST(Reproducible, PicturesComeOutTheSameAgain)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    run(QStringLiteral(Z7_ART_COMMAND),
        {dir.path(), kFontDir + QStringLiteral("/EBGaramond12-Bold.ttf"),
         kFontDir + QStringLiteral("/EBGaramond12-Regular.ttf")});
    QStringList names{QStringLiteral("logo.png"), QStringLiteral("start.png"),
                      QStringLiteral("noselect.png"), QStringLiteral("marker.png")};
    for (int i = 0; i < 108; ++i)
        names.append(QStringLiteral("buildings/%1.png").arg(i, 3, 10, QLatin1Char('0')));
    for (int s : {16, 24, 32, 48, 256})
        names.append(QStringLiteral("icon/%1.png").arg(s));
    for (const QString &n : names)
        EXPECT_TRUE(read(dir.filePath(QStringLiteral("images/") + n)) ==
                    read(QStringLiteral(":/images/") + n))
            << n.toStdString();
    EXPECT_TRUE(read(dir.filePath(QStringLiteral("z7edit.ico"))) ==
                read(QStringLiteral(Z7_ICO_FILE)));
}

TEST(Reproducible, GuideComesOutTheSameAgain)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("guide.pdf"));
    QStringList args{QStringLiteral(Z7_GUIDE_SOURCE), out};
    for (const char *f : {"Regular", "Italic", "AllSC"})
        args.append(kFontDir + QStringLiteral("/EBGaramond12-") + QString::fromLatin1(f) +
                    QStringLiteral(".ttf"));
    run(QStringLiteral(Z7_GUIDE_COMMAND), args);
    EXPECT_TRUE(read(out) == read(QStringLiteral(":/RT_RCDATA/PDF")));
}

TEST(Reproducible, FontsComeOutTheSameAgain)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString z7 = dir.filePath(QStringLiteral("z7.ttf")),
                  zolt = dir.filePath(QStringLiteral("zolt.ttf"));
    run(QStringLiteral(Z7_PYTHON),
        {QStringLiteral(Z7_FONT_SCRIPT), QStringLiteral("--small-caps"),
         kFontDir + QStringLiteral("/EBGaramond12-AllSC.ttf"), QStringLiteral("--script"),
         QStringLiteral(Z7_SCRIPT_FONT), QStringLiteral("--fill"),
         kFontDir + QStringLiteral("/EBGaramond12-Italic.ttf"), QStringLiteral("--out-z7"), z7,
         QStringLiteral("--out-zolt"), zolt});
    EXPECT_TRUE(read(z7) == read(QStringLiteral(":/Z7/TTF")));
    EXPECT_TRUE(read(zolt) == read(QStringLiteral(":/ZOLT/TTF")));
}
