#pragma once

#include "model/record.h"
#include "model/textcodec.h"

#include <optional>
#include <string>
#include <string_view>

namespace z7 {

class Platform;
class ResourceSource;

enum class RecordKind { None, Building, House };

// The model file in the game folder.
inline constexpr std::u16string_view ModelFileName = u"z7_model.txt";

// The model file on disk against the bytes the store last read from it or
// wrote to it: as last seen, changed by another program, or gone.
enum class ModelFileState { AsLastSeen, Changed, Missing };

// An entry's lines split into slots: its own and, for a house level, its
// companion building line, each from the model file and from the shipped model.
struct EntrySlots
{
    RecordKind kind = RecordKind::None;
    Slots currentBuilding, originalBuilding, currentHouse, originalHouse;
};

// The two copies of the model (the file with the user's changes and the
// shipped reference) and the four slot arrays through which the editor reads
// and writes one entry at a time. Every file access goes through the Platform;
// every write rewrites the whole model file crash-safely. Errors are z7::Error.
class ModelStore
{
public:
    ModelStore(Platform &platform, const ResourceSource &resources);

    // The game folder, ending in "\".
    void setGamePath(const std::u16string &gamePath);
    const std::u16string &gamePath() const { return m_gamePath; }
    std::u16string modelFilePath() const;

    // ReferenceModel = the built-in "NewModell".
    void LoadReferenceModel();
    // Writes the built-in "DE_Modell" as the model file; WorkingModel stays empty.
    void InstallDefaultModel();
    // WorkingModel and WorkingEncoding from the model file.
    void LoadWorkingModel();

    // Building for 1..130, house for 132 and above, none for the section
    // headers 0 and 131 and for -1 (no line).
    static RecordKind RecordKindOf(int lineIndex);
    // First line that, trimmed, contains the trimmed caption (case-sensitive); -1 if none.
    static int FindRecordLine(const Lines &model, std::u16string_view caption);
    // The building line (1..130) whose name, trimmed, is "H" + code; -1 if none.
    static int FindCompanionLine(const Lines &model, int code);

    // Whether the working model still pairs with the reference line by line:
    // as many lines, each holding the record (number and name, or the section
    // header) that the reference has at the same place.
    bool LayoutMatchesReference() const;

    // Current slots from WorkingModel, original slots from the ReferenceModel
    // line at the same index (a house's companion is searched in each model);
    // a building leaves the house slots empty. Touches no slot array.
    EntrySlots ReadEntrySlots(std::u16string_view caption, int code) const;
    // The slot arrays from ReadEntrySlots; a building keeps the house arrays.
    RecordKind LoadEntrySlots(std::u16string_view caption, int code);
    // Current arrays from the ReferenceModel; original arrays untouched.
    RecordKind LoadReferenceEntrySlots(std::u16string_view caption, int code);
    // Joins the current arrays into the entry's line(s) and writes the file once.
    RecordKind StoreEntrySlots(std::u16string_view caption, int code);
    void SaveWorkingModel();
    // Writes the reference lines as the model file, then WorkingModel = ReferenceModel.
    void ResetWholeModel();

    // Reads the model file once and compares it byte for byte with what this
    // store last read or wrote there; as last seen when it has done neither.
    // The read's error, for a file that is there but cannot be read, is thrown.
    ModelFileState CheckModelFile();
    // Counts the reads and writes of the model file, so that what is drawn
    // from WorkingModel knows when to look again.
    unsigned fileGeneration() const { return m_fileGeneration; }

    Lines WorkingModel;
    TextEncoding WorkingEncoding = TextEncoding::Ansi;
    Lines ReferenceModel;
    Slots CurrentBuilding;
    Slots OriginalBuilding;
    Slots CurrentHouse;
    Slots OriginalHouse;

private:
    void writeModelFile(const Lines &lines, TextEncoding encoding);
    DecodedText builtInText(std::u16string_view name) const;
    static int companionLineOrThrow(const Lines &model, int code, const char16_t *message);

    void rememberModelFile(const std::string &bytes);

    Platform &m_platform;
    const ResourceSource &m_resources;
    std::u16string m_gamePath;

    struct SeenFile
    {
        std::string path;
        std::string bytes;
    };
    std::optional<SeenFile> m_seenFile;
    unsigned m_fileGeneration = 0;
};

} // namespace z7
