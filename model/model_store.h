#pragma once

#include "textcodec.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace z7 {

class Platform;

enum class RecordKind { None, Building, House };

// The model file on disk against the bytes the store last read from it or
// wrote to it: as last seen, changed by another program, or gone.
enum class ModelFileState { AsLastSeen, Changed, Missing };

// The two copies of the model (the file with the user's changes and the
// shipped reference) and the four slot arrays through which the editor reads
// and writes one entry at a time. Every file access goes through the Platform;
// every write rewrites the whole model file crash-safely. Errors are z7::Error.
class ModelStore
{
public:
    explicit ModelStore(Platform &platform);

    // The game folder, ending in "\".
    void setGamePath(const QString &gamePath);
    QString gamePath() const { return m_gamePath; }
    QString modelFilePath() const;

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
    static int FindRecordLine(const QStringList &model, const QString &caption);
    // The building line (1..130) whose name, trimmed, is "H" + code; -1 if none.
    static int FindCompanionLine(const QStringList &model, int code);

    // Current arrays from WorkingModel, original arrays from the ReferenceModel
    // line at the same index (a house's companion is searched in each model).
    RecordKind LoadEntrySlots(const QString &caption, int code);
    // Current arrays from the ReferenceModel; original arrays untouched.
    RecordKind LoadReferenceEntrySlots(const QString &caption, int code);
    // Joins the current arrays into the entry's line(s) and writes the file once.
    RecordKind StoreEntrySlots(const QString &caption, int code);
    void SaveWorkingModel();
    // Writes the reference lines as the model file, then WorkingModel = ReferenceModel.
    void ResetWholeModel();

    // Reads the model file once and compares it byte for byte with what this
    // store last read or wrote there; as last seen when it has done neither.
    // The read's error, for a file that is there but cannot be read, is thrown.
    ModelFileState CheckModelFile();

    QStringList WorkingModel;
    TextEncoding WorkingEncoding = TextEncoding::Ansi;
    QStringList ReferenceModel;
    QStringList CurrentBuilding;
    QStringList OriginalBuilding;
    QStringList CurrentHouse;
    QStringList OriginalHouse;

private:
    void writeModelFile(const QStringList &lines, TextEncoding encoding);
    static int companionLineOrThrow(const QStringList &model, int code, const char16_t *message);

    void rememberModelFile(const std::string &bytes);

    Platform &m_platform;
    QString m_gamePath;

    struct SeenFile
    {
        std::string path;
        std::string bytes;
    };
    std::optional<SeenFile> m_seenFile;
};

} // namespace z7
