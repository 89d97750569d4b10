#include "model_store.h"

#include "record.h"
#include "resource.h"
#include "texts.h"

#include "error.h"
#include "platform.h"

#include <algorithm>

namespace z7 {

namespace {

constexpr int FirstBuildingLine = 1;
constexpr int LastBuildingLine = 130;
constexpr int FirstHouseLine = 132;

const QString ResourceType = QStringLiteral("RT_RCDATA");
const QString DefaultModelName = QStringLiteral("DE_Modell");
const QString ReferenceModelName = QStringLiteral("NewModell");
const QString ModelFileName = QStringLiteral("z7_model.txt");

[[noreturn]] void fail(const QString &message)
{
    throw Error(message.toStdString());
}

QStringList builtInLines(const QString &name)
{
    return DecodeLines(ReadResource(ResourceType, name)).lines;
}

// The reference line paired with a working line; a working model longer than
// the reference has lines without a partner.
const QString &lineAt(const QStringList &model, int index)
{
    if (index < 0 || index >= model.size())
        fail(texts::Text(texts::ListIndexOutOfRange).arg(index));
    return model.at(index);
}

} // namespace

ModelStore::ModelStore(Platform &platform)
    : CurrentBuilding(BuildingSlotCount)
    , OriginalBuilding(BuildingSlotCount)
    , CurrentHouse(HouseSlotCount)
    , OriginalHouse(HouseSlotCount)
    , m_platform(platform)
{
}

void ModelStore::setGamePath(const QString &gamePath)
{
    m_gamePath = gamePath;
}

QString ModelStore::modelFilePath() const
{
    return m_gamePath + ModelFileName;
}

void ModelStore::LoadReferenceModel()
{
    ReferenceModel = builtInLines(ReferenceModelName);
}

void ModelStore::InstallDefaultModel()
{
    const DecodedText text = DecodeLines(ReadResource(ResourceType, DefaultModelName));
    writeModelFile(text.lines, text.encoding);
    WorkingModel.clear();
}

void ModelStore::LoadWorkingModel()
{
    const std::string bytes = m_platform.readFile(modelFilePath().toStdString());
    DecodedText text = DecodeLines(QByteArray::fromStdString(bytes));
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

int ModelStore::FindRecordLine(const QStringList &model, const QString &caption)
{
    const QStringView key = TrimControl(QStringView(caption));
    if (key.isEmpty())
        return -1;
    for (int i = 0; i < model.size(); ++i) {
        if (TrimControl(QStringView(model.at(i))).contains(key))
            return i;
    }
    return -1;
}

int ModelStore::FindCompanionLine(const QStringList &model, int code)
{
    // Matching the whole name field rather than any occurrence of the code keeps
    // a value such as a cost of 100 in an earlier line from capturing the search.
    const QString name = u'H' + QString::number(code);
    const int last = std::min<int>(LastBuildingLine, int(model.size()) - 1);
    for (int i = FirstBuildingLine; i <= last; ++i) {
        if (TrimControl(RecordSlot(model.at(i), 1)) == name)
            return i;
    }
    return -1;
}

int ModelStore::companionLineOrThrow(const QStringList &model, int code, const char16_t *message)
{
    const int line = FindCompanionLine(model, code);
    if (line < 0)
        fail(texts::Text(message).arg(u'H' + QString::number(code)));
    return line;
}

RecordKind ModelStore::LoadEntrySlots(const QString &caption, int code)
{
    const int i = FindRecordLine(WorkingModel, caption);
    const RecordKind kind = RecordKindOf(i);
    if (kind == RecordKind::None)
        return kind;
    const QString &current = WorkingModel.at(i);
    const QString &reference = lineAt(ReferenceModel, i);

    if (kind == RecordKind::Building) {
        CurrentBuilding = SplitRecord(current, BuildingSlotCount);
        OriginalBuilding = SplitRecord(reference, BuildingSlotCount);
        return kind;
    }
    // Both companions are looked up before any array changes, so a missing one
    // leaves the previous entry intact.
    const int c = companionLineOrThrow(WorkingModel, code, texts::CompanionMissingInModelFile);
    const int r = companionLineOrThrow(ReferenceModel, code, texts::CompanionMissingInReference);
    CurrentHouse = SplitRecord(current, HouseSlotCount);
    OriginalHouse = SplitRecord(reference, HouseSlotCount);
    CurrentBuilding = SplitRecord(WorkingModel.at(c), BuildingSlotCount);
    OriginalBuilding = SplitRecord(ReferenceModel.at(r), BuildingSlotCount);
    return kind;
}

RecordKind ModelStore::LoadReferenceEntrySlots(const QString &caption, int code)
{
    const int i = FindRecordLine(ReferenceModel, caption);
    const RecordKind kind = RecordKindOf(i);
    if (kind == RecordKind::Building) {
        CurrentBuilding = SplitRecord(ReferenceModel.at(i), BuildingSlotCount);
    } else if (kind == RecordKind::House) {
        const int r =
            companionLineOrThrow(ReferenceModel, code, texts::CompanionMissingInReference);
        CurrentHouse = SplitRecord(ReferenceModel.at(i), HouseSlotCount);
        CurrentBuilding = SplitRecord(ReferenceModel.at(r), BuildingSlotCount);
    }
    return kind;
}

RecordKind ModelStore::StoreEntrySlots(const QString &caption, int code)
{
    const int i = FindRecordLine(WorkingModel, caption);
    const RecordKind kind = RecordKindOf(i);
    if (kind == RecordKind::Building) {
        WorkingModel[i] = JoinRecord(CurrentBuilding);
        SaveWorkingModel();
    } else if (kind == RecordKind::House) {
        const int c = companionLineOrThrow(WorkingModel, code, texts::CompanionMissingInModelFile);
        WorkingModel[i] = JoinRecord(CurrentHouse);
        WorkingModel[c] = JoinRecord(CurrentBuilding);
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

void ModelStore::writeModelFile(const QStringList &lines, TextEncoding encoding)
{
    const std::string bytes = EncodeLines(lines, encoding).toStdString();
    m_platform.writeFile(modelFilePath().toStdString(), bytes);
    rememberModelFile(bytes);
}

void ModelStore::rememberModelFile(const std::string &bytes)
{
    m_seenFile = SeenFile{modelFilePath().toStdString(), bytes};
}

ModelFileState ModelStore::CheckModelFile()
{
    // What another game folder holds says nothing about this one.
    const std::string path = modelFilePath().toStdString();
    if (!m_seenFile || m_seenFile->path != path)
        return ModelFileState::AsLastSeen;
    if (!m_platform.fileExists(path))
        return ModelFileState::Missing;
    return m_platform.readFile(path) == m_seenFile->bytes ? ModelFileState::AsLastSeen
                                                          : ModelFileState::Changed;
}

} // namespace z7
