#include "model/model_store.h"

#include "model/resource.h"
#include "model/text.h"
#include "model/texts.h"

#include "platform/error.h"
#include "platform/platform.h"

#include <algorithm>
#include <utility>

namespace z7 {

namespace {

constexpr int FirstBuildingLine = 1;
constexpr int LastBuildingLine = 130;
constexpr int FirstHouseLine = 132;

constexpr std::u16string_view DefaultModelName = u"DE_Modell";
constexpr std::u16string_view ReferenceModelName = u"NewModell";

[[noreturn]] void fail(const std::u16string &message)
{
    throw Error(ToUtf8(message));
}

// The reference line paired with a working line; a working model longer than
// the reference has lines without a partner.
const std::u16string &lineAt(const Lines &model, int index)
{
    if (index < 0 || std::size_t(index) >= model.size())
        fail(Format(texts::ListIndexOutOfRange, {Number(index)}));
    return model[std::size_t(index)];
}

std::u16string companionName(int code)
{
    return u'H' + Number(code);
}

} // namespace

ModelStore::ModelStore(Platform &platform, const ResourceSource &resources)
    : CurrentBuilding(BuildingSlotCount)
    , OriginalBuilding(BuildingSlotCount)
    , CurrentHouse(HouseSlotCount)
    , OriginalHouse(HouseSlotCount)
    , m_platform(platform)
    , m_resources(resources)
{
}

void ModelStore::setGamePath(const std::u16string &gamePath)
{
    m_gamePath = gamePath;
}

std::u16string ModelStore::modelFilePath() const
{
    return m_gamePath + std::u16string(ModelFileName);
}

DecodedText ModelStore::builtInText(std::u16string_view name) const
{
    return DecodeLines(ReadResource(m_resources, TextResourceType, name));
}

void ModelStore::LoadReferenceModel()
{
    ReferenceModel = builtInText(ReferenceModelName).lines;
}

void ModelStore::InstallDefaultModel()
{
    const DecodedText text = builtInText(DefaultModelName);
    writeModelFile(text.lines, text.encoding);
    WorkingModel.clear();
}

void ModelStore::LoadWorkingModel()
{
    const std::string bytes = m_platform.readFile(ToUtf8(modelFilePath()));
    DecodedText text = DecodeLines(bytes);
    WorkingModel = std::move(text.lines);
    WorkingEncoding = text.encoding;
    rememberModelFile(bytes);
}

RecordKind ModelStore::RecordKindOf(int lineIndex)
{
    if (lineIndex >= FirstBuildingLine && lineIndex <= LastBuildingLine)
        return RecordKind::Building;
    if (lineIndex >= FirstHouseLine)
        return RecordKind::House;
    return RecordKind::None;
}

int ModelStore::FindRecordLine(const Lines &model, std::u16string_view caption)
{
    const std::u16string_view key = TrimControl(caption);
    if (key.empty())
        return -1;
    for (std::size_t i = 0; i < model.size(); ++i) {
        if (TrimControl(model[i]).find(key) != std::u16string_view::npos)
            return int(i);
    }
    return -1;
}

int ModelStore::FindCompanionLine(const Lines &model, int code)
{
    // Matching the whole name field rather than any occurrence of the code keeps
    // a value such as a cost of 100 in an earlier line from capturing the search.
    const std::u16string name = companionName(code);
    const int last = std::min<int>(LastBuildingLine, int(model.size()) - 1);
    for (int i = FirstBuildingLine; i <= last; ++i) {
        if (TrimControl(RecordSlot(model[std::size_t(i)], 1)) == name)
            return i;
    }
    return -1;
}

bool ModelStore::LayoutMatchesReference() const
{
    // A file whose lines were added, removed or reordered by hand breaks the
    // pairing of each line with the shipped line at the same index.
    if (WorkingModel.size() != ReferenceModel.size())
        return false;
    for (std::size_t i = 0; i < WorkingModel.size(); ++i) {
        const RecordKind kind = RecordKindOf(int(i));
        const int keyFields = kind == RecordKind::Building ? 2 : kind == RecordKind::House ? 1 : 0;
        if (keyFields == 0) {
            if (TrimControl(WorkingModel[i]) != TrimControl(ReferenceModel[i]))
                return false;
            continue;
        }
        for (int k = 0; k < keyFields; ++k) {
            if (TrimControl(RecordSlot(WorkingModel[i], k)) !=
                TrimControl(RecordSlot(ReferenceModel[i], k)))
                return false;
        }
    }
    return true;
}

int ModelStore::companionLineOrThrow(const Lines &model, int code, const char16_t *message)
{
    const int line = FindCompanionLine(model, code);
    if (line < 0)
        fail(Format(message, {companionName(code)}));
    return line;
}

EntrySlots ModelStore::ReadEntrySlots(std::u16string_view caption, int code) const
{
    EntrySlots entry;
    const int i = FindRecordLine(WorkingModel, caption);
    entry.kind = RecordKindOf(i);
    if (entry.kind == RecordKind::None)
        return entry;
    const std::u16string &current = WorkingModel[std::size_t(i)];
    const std::u16string &reference = lineAt(ReferenceModel, i);

    if (entry.kind == RecordKind::Building) {
        entry.currentBuilding = SplitRecord(current, BuildingSlotCount);
        entry.originalBuilding = SplitRecord(reference, BuildingSlotCount);
        return entry;
    }
    const int c = companionLineOrThrow(WorkingModel, code, texts::CompanionMissingInModelFile);
    const int r = companionLineOrThrow(ReferenceModel, code, texts::CompanionMissingInReference);
    entry.currentHouse = SplitRecord(current, HouseSlotCount);
    entry.originalHouse = SplitRecord(reference, HouseSlotCount);
    entry.currentBuilding = SplitRecord(WorkingModel[std::size_t(c)], BuildingSlotCount);
    entry.originalBuilding = SplitRecord(ReferenceModel[std::size_t(r)], BuildingSlotCount);
    return entry;
}

RecordKind ModelStore::LoadEntrySlots(std::u16string_view caption, int code)
{
    // Everything is read before any array changes, so a line that cannot be
    // found leaves the previous entry intact.
    EntrySlots entry = ReadEntrySlots(caption, code);
    if (entry.kind == RecordKind::None)
        return entry.kind;
    CurrentBuilding = std::move(entry.currentBuilding);
    OriginalBuilding = std::move(entry.originalBuilding);
    if (entry.kind == RecordKind::House) {
        CurrentHouse = std::move(entry.currentHouse);
        OriginalHouse = std::move(entry.originalHouse);
    }
    return entry.kind;
}

RecordKind ModelStore::LoadReferenceEntrySlots(std::u16string_view caption, int code)
{
    const int i = FindRecordLine(ReferenceModel, caption);
    const RecordKind kind = RecordKindOf(i);
    if (kind == RecordKind::Building) {
        CurrentBuilding = SplitRecord(ReferenceModel[std::size_t(i)], BuildingSlotCount);
    } else if (kind == RecordKind::House) {
        const int r =
            companionLineOrThrow(ReferenceModel, code, texts::CompanionMissingInReference);
        CurrentHouse = SplitRecord(ReferenceModel[std::size_t(i)], HouseSlotCount);
        CurrentBuilding = SplitRecord(ReferenceModel[std::size_t(r)], BuildingSlotCount);
    }
    return kind;
}

RecordKind ModelStore::StoreEntrySlots(std::u16string_view caption, int code)
{
    const int i = FindRecordLine(WorkingModel, caption);
    const RecordKind kind = RecordKindOf(i);
    if (kind == RecordKind::Building) {
        WorkingModel[std::size_t(i)] = JoinRecord(CurrentBuilding);
        SaveWorkingModel();
    } else if (kind == RecordKind::House) {
        const int c = companionLineOrThrow(WorkingModel, code, texts::CompanionMissingInModelFile);
        WorkingModel[std::size_t(i)] = JoinRecord(CurrentHouse);
        WorkingModel[std::size_t(c)] = JoinRecord(CurrentBuilding);
        SaveWorkingModel();
    }
    return kind;
}

void ModelStore::SaveWorkingModel()
{
    writeModelFile(WorkingModel, WorkingEncoding);
}

void ModelStore::ResetWholeModel()
{
    writeModelFile(ReferenceModel, TextEncoding::Ansi);
    WorkingModel = ReferenceModel;
}

void ModelStore::writeModelFile(const Lines &lines, TextEncoding encoding)
{
    const std::string bytes = EncodeLines(lines, encoding);
    m_platform.writeFile(ToUtf8(modelFilePath()), bytes);
    rememberModelFile(bytes);
}

void ModelStore::rememberModelFile(const std::string &bytes)
{
    m_seenFile = SeenFile{ToUtf8(modelFilePath()), bytes};
    ++m_fileGeneration;
}

ModelFileState ModelStore::CheckModelFile()
{
    // What another game folder holds says nothing about this one.
    const std::string path = ToUtf8(modelFilePath());
    if (!m_seenFile || m_seenFile->path != path)
        return ModelFileState::AsLastSeen;
    if (!m_platform.fileExists(path))
        return ModelFileState::Missing;
    return m_platform.readFile(path) == m_seenFile->bytes ? ModelFileState::AsLastSeen
                                                          : ModelFileState::Changed;
}

} // namespace z7
