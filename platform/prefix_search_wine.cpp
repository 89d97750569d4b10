#include "platform/prefix_search_wine.h"

#include "platform/platform_texts.h"
#include "platform/registry_wine.h"
#include "platform/vdf_wine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <functional>

namespace z7 {

namespace {

// A launcher's own files are a few kilobytes; anything far larger is not one.
constexpr qint64 MaxLauncherFile = 1 << 20;

const char *const SteamFolders[] = {
    ".steam/steam",
    ".local/share/Steam",
    ".var/app/com.valvesoftware.Steam/.local/share/Steam",
};
// Flathub's Lutris and Heroic keep their files in the sandbox's folders; the
// prefixes they name are the host's (the Steam Deck installs both from there).
const char *const LutrisGameFiles[] = {
    ".config/lutris/games",
    ".local/share/lutris/games",
    ".var/app/net.lutris.Lutris/data/lutris/games",
};
const char *const LutrisPrefixFolders[] = {"Games"};
const char *const HeroicGameFiles[] = {
    ".config/heroic/GamesConfig",
    ".var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig",
};
const char *const HeroicPrefixFolders[] = {"Games/Heroic/Prefixes"};
const char *const BottlesFolders[] = {
    ".local/share/bottles/bottles",
    ".var/app/com.usebottles.bottles/data/bottles/bottles",
};
const char *const PlayOnLinuxFolders[] = {".PlayOnLinux/wineprefix"};

bool AllDigits(const QString &text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Steam's app ids by their value, then every other name as it is spelled.
bool NameOrder(const QString &a, const QString &b)
{
    const bool numberA = AllDigits(a);
    const bool numberB = AllDigits(b);
    if (numberA != numberB)
        return numberA;
    if (numberA) {
        QString x = a;
        QString y = b;
        while (x.size() > 1 && x.startsWith(u'0'))
            x.remove(0, 1);
        while (y.size() > 1 && y.startsWith(u'0'))
            y.remove(0, 1);
        if (x.size() != y.size())
            return x.size() < y.size();
        if (x != y)
            return x < y;
    }
    return a < b;
}

QStringList Sorted(QStringList names)
{
    std::sort(names.begin(), names.end(), NameOrder);
    return names;
}

QStringList Subfolders(const QString &folder)
{
    return Sorted(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden));
}

QStringList FilesEndingIn(const QString &folder, const QString &suffix)
{
    QStringList names;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (name.endsWith(suffix))
            names.append(name);
    }
    return Sorted(names);
}

// Empty for a file that is missing, unreadable or too large to be a launcher's.
QByteArray ReadLauncherFile(const QString &path)
{
    QFile file(path);
    if (file.size() > MaxLauncherFile || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(MaxLauncherFile);
}

std::string LutrisPrefix(const QByteArray &bytes)
{
    try {
        const YAML::Node file = YAML::Load(bytes.toStdString());
        if (!file.IsMap())
            return {};
        const YAML::Node game = file["game"];
        if (!game.IsMap())
            return {};
        const YAML::Node prefix = game["prefix"];
        return prefix.IsScalar() ? prefix.as<std::string>() : std::string();
    } catch (const YAML::Exception &) {
        return {};
    }
}

// Heroic keeps one game per file, its settings under the game's name.
QStringList HeroicPrefixes(const QByteArray &bytes)
{
    const QJsonDocument file = QJsonDocument::fromJson(bytes);
    QStringList prefixes;
    if (!file.isObject())
        return prefixes;
    const QJsonObject top = file.object();
    if (const QJsonValue own = top.value(u"winePrefix"); own.isString())
        prefixes.append(own.toString());
    for (const QJsonValue game : top) {
        if (const QJsonValue prefix = game.toObject().value(u"winePrefix"); prefix.isString())
            prefixes.append(prefix.toString());
    }
    return prefixes;
}

// Walks the places in search order and hands each new prefix to the taker,
// until the taker has what it wants.
class Search
{
public:
    Search(const QString &home, std::function<bool(const QString &)> take)
        : m_home(home)
        , m_take(std::move(take))
    {
    }

    bool run()
    {
        return offer(inHome(".wine")) || steam() || lutris() || heroic() ||
               subfoldersOf(BottlesFolders) || subfoldersOf(PlayOnLinuxFolders);
    }

private:
    QString inHome(const char *relative) const { return m_home + u'/' + QLatin1String(relative); }

    // Launchers write "~" for the home folder in some of their files.
    QString expanded(const QString &path) const
    {
        if (path == u"~" || path.startsWith(u"~/"))
            return m_home + path.mid(1);
        return path;
    }

    bool offer(const QString &folder)
    {
        if (folder.isEmpty() || !QFileInfo(folder + u"/system.reg").isFile())
            return false;
        if (!once(folder))
            return false;
        return m_take(folder);
    }

    // A folder a launcher names, or Proton's prefix inside it.
    bool offerNamed(const QString &folder)
    {
        if (!QDir::isAbsolutePath(folder))
            return false;
        return offer(folder) || offer(folder + u"/pfx");
    }

    // False for a folder that was met before, by another way.
    bool once(const QString &folder)
    {
        const QString real = QFileInfo(folder).canonicalFilePath();
        if (m_seen.contains(real))
            return false;
        m_seen.insert(real);
        return true;
    }

    bool steam()
    {
        QSet<QString> libraries;
        for (const char *steamFolder : SteamFolders) {
            const QString root = inHome(steamFolder);
            if (!QFileInfo(root).isDir())
                continue;
            QStringList paths{root};
            const QByteArray vdf = ReadLauncherFile(root + u"/steamapps/libraryfolders.vdf");
            for (const std::string &path : SteamLibraryPaths(vdf.toStdString()))
                paths.append(QString::fromStdString(path));
            for (const QString &library : paths) {
                const QString real = QFileInfo(library).canonicalFilePath();
                if (real.isEmpty() || libraries.contains(real))
                    continue;
                libraries.insert(real);
                const QString compat = library + u"/steamapps/compatdata";
                for (const QString &app : Subfolders(compat)) {
                    if (offer(compat + u'/' + app + u"/pfx"))
                        return true;
                }
            }
        }
        return false;
    }

    bool lutris()
    {
        for (const char *folder : LutrisGameFiles) {
            const QString games = inHome(folder);
            for (const QString &name : FilesEndingIn(games, QStringLiteral(".yml"))) {
                const std::string prefix = LutrisPrefix(ReadLauncherFile(games + u'/' + name));
                if (offerNamed(expanded(QString::fromStdString(prefix))))
                    return true;
            }
        }
        return subfoldersOf(LutrisPrefixFolders);
    }

    bool heroic()
    {
        for (const char *folder : HeroicGameFiles) {
            const QString games = inHome(folder);
            for (const QString &name : FilesEndingIn(games, QStringLiteral(".json"))) {
                for (const QString &prefix :
                     HeroicPrefixes(ReadLauncherFile(games + u'/' + name))) {
                    if (offerNamed(expanded(prefix)))
                        return true;
                }
            }
        }
        // Newer Heroic keeps its prefixes one level deeper, in "default".
        for (const char *folder : HeroicPrefixFolders) {
            const QString prefixes = inHome(folder);
            for (const QString &name : Subfolders(prefixes)) {
                const QString path = prefixes + u'/' + name;
                if (offerNamed(path))
                    return true;
                if (QFileInfo(path + u"/system.reg").exists())
                    continue;
                for (const QString &inner : Subfolders(path)) {
                    if (offerNamed(path + u'/' + inner))
                        return true;
                }
            }
        }
        return false;
    }

    template <std::size_t N> bool subfoldersOf(const char *const (&folders)[N])
    {
        for (const char *folder : folders) {
            const QString parent = inHome(folder);
            for (const QString &name : Subfolders(parent)) {
                if (offer(parent + u'/' + name))
                    return true;
            }
        }
        return false;
    }

    QString m_home;
    std::function<bool(const QString &)> m_take;
    QSet<QString> m_seen;
};

} // namespace

std::vector<std::string> WinePrefixesInSearchOrder(const std::string &home)
{
    std::vector<std::string> prefixes;
    Search(QString::fromStdString(home), [&](const QString &prefix) {
        prefixes.push_back(prefix.toStdString());
        return false;
    }).run();
    return prefixes;
}

std::string FindGamePrefix(const std::string &home, const std::string &winePrefix)
{
    if (!winePrefix.empty())
        return winePrefix;
    std::string found;
    Search(QString::fromStdString(home), [&](const QString &prefix) {
        if (!WineRegistryHoldsText(prefix.toStdString() + "/system.reg",
                                   platform_texts::AppPathsKey, platform_texts::AppPathsValue))
            return false;
        found = prefix.toStdString();
        return true;
    }).run();
    return found.empty() ? home + "/.wine" : found;
}

} // namespace z7
