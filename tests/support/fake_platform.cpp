#include "tests/support/fake_platform.h"

#include "platform/error.h"
#include "platform/platform_texts.h"
#include "platform/temporary_names.h"
#include "platform/text_format.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace z7 {

namespace fs = std::filesystem;
namespace texts = platform_texts;

namespace {

std::string LowerAscii(std::string text)
{
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string RegistryName(const std::string &key, const std::string &value)
{
    return LowerAscii(key) + '\n' + LowerAscii(value);
}

std::string Reason(const fs::path &host)
{
    if (fs::is_directory(host))
        return texts::AccessDenied;
    return fs::is_directory(host.parent_path()) ? texts::FileNotFound : texts::PathNotFound;
}

} // namespace

FakePlatform::FakePlatform()
{
    std::random_device random;
    for (;;) {
        m_root = fs::temp_directory_path() / ("z7fake-" + std::to_string(random()));
        if (fs::create_directory(m_root))
            break;
    }
    createFolder(m_documents);
}

FakePlatform::~FakePlatform()
{
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

void FakePlatform::setRegistryText(const std::string &key, const std::string &value,
                                   const std::string &text)
{
    m_registry[RegistryName(key, value)] = text;
}

void FakePlatform::setRegistryNonText(const std::string &key, const std::string &value)
{
    m_registry[RegistryName(key, value)] = std::nullopt;
}

fs::path FakePlatform::hostPath(const std::string &givenPath) const
{
    std::string windowsPath = givenPath;
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    const bool hasDrive = windowsPath.size() >= 2 && windowsPath[1] == ':' &&
                          std::isalpha(static_cast<unsigned char>(windowsPath[0])) &&
                          (windowsPath.size() == 2 || windowsPath[2] == '\\');
    if (!hasDrive)
        return {};
    fs::path host = m_root / std::string(1, static_cast<char>(std::toupper(windowsPath[0])));
    std::istringstream components(LowerAscii(windowsPath.substr(2)));
    for (std::string component; std::getline(components, component, '\\');) {
        if (component == "..")
            host = host.parent_path() == m_root ? host : host.parent_path();
        else if (!component.empty() && component != ".")
            host /= component;
    }
    return host;
}

void FakePlatform::createFolder(const std::string &windowsPath)
{
    fs::create_directories(hostPath(windowsPath));
}

void FakePlatform::putFile(const std::string &windowsPath, const std::string &bytes)
{
    const fs::path host = hostPath(windowsPath);
    fs::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary | std::ios::trunc) << bytes;
}

std::optional<std::string> FakePlatform::fileContents(const std::string &windowsPath) const
{
    const fs::path host = hostPath(windowsPath);
    if (host.empty() || !fs::is_regular_file(host))
        return std::nullopt;
    std::ifstream file(host, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void FakePlatform::failWrites(const std::string &reason)
{
    m_writeFailure = reason;
}

std::string FakePlatform::readRegistryText(const std::string &key, const std::string &value)
{
    const auto found = m_registry.find(RegistryName(key, value));
    if (found == m_registry.end())
        return {};
    if (!found->second)
        throw Error(Format(texts::InvalidDataType, {value}));
    return found->second->substr(0, found->second->find('\0'));
}

bool FakePlatform::fileExists(const std::string &path)
{
    const fs::path host = hostPath(path);
    return !host.empty() && fs::is_regular_file(host);
}

void FakePlatform::moveFile(const std::string &from, const std::string &to)
{
    const fs::path source = hostPath(from);
    const fs::path target = hostPath(to);
    if (source.empty() || target.empty() || !fs::exists(source) || fs::exists(target))
        return;
    if (!m_refusedMoveTarget.empty() && target == hostPath(m_refusedMoveTarget))
        return;
    std::error_code ignored;
    fs::rename(source, target, ignored);
}

std::string FakePlatform::readFile(const std::string &path)
{
    const fs::path host = hostPath(path);
    if (host.empty())
        throw Error(Format(texts::CannotOpen, {path, texts::InvalidName}));
    if (!fs::is_regular_file(host))
        throw Error(Format(texts::CannotOpen, {path, Reason(host)}));
    return *fileContents(path);
}

void FakePlatform::writeFile(const std::string &path, const std::string &bytes)
{
    ++m_writeCount;
    const fs::path host = hostPath(path);
    if (host.empty())
        throw Error(Format(texts::CannotCreate, {path, texts::InvalidName}));
    if (m_writeFailure)
        throw Error(Format(texts::CannotCreate, {path, *m_writeFailure}));
    if (fs::is_directory(host) || !fs::is_directory(host.parent_path()))
        throw Error(Format(texts::CannotCreate, {path, Reason(host)}));
    // Like the real backends: the new contents appear whole or not at all.
    const fs::path temporary = host.parent_path() / "~z7edit-fake.tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << bytes;
    }
    if (m_failNextWrite) {
        m_failNextWrite = false;
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw Error(Format(texts::CannotCreate, {path, texts::DeviceError}));
    }
    fs::rename(temporary, host);
    m_written.push_back(path);
}

void FakePlatform::removeStaleTemporaries(const std::string &folder)
{
    const fs::path host = hostPath(folder);
    if (host.empty())
        return;
    std::error_code ignored;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(host, ignored), end; it != end; it.increment(ignored)) {
        if (IsTemporaryName(it->path().filename().string()) &&
            it->symlink_status(ignored).type() == fs::file_type::regular)
            stale.push_back(it->path());
    }
    for (const fs::path &file : stale)
        fs::remove(file, ignored);
}

} // namespace z7
