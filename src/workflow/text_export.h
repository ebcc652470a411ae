#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "optics/input_params.h"
#include "optics/optics.h"
#include "optics/phase.h"
#include "workflow/ports.h"
#include "workflow/result_tables.h"

// Saving one result page as a plain text file: the summary lines as displayed, a header line and
// one line per point, single-byte text with the degree sign as byte B0 and CR LF after every
// line. Numbers in the file always use '.', whatever the locale.

inline constexpr char ProductName[] = "Vitreo-K";

// A failure of the file system while writing or closing a file. The message is the program's
// text for the system error code; ErrorCode keeps the errno.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const { return errorCode_; }

private:
    int errorCode_;
};

// The program's text for an errno: "File not found", "Invalid filename", "Too many open files",
// "File access denied", or "I/O error <code>".
std::string InOutErrorMessage(int errorCode);
// The same for a file that could not be created: there ENOENT means that a folder of the path
// is missing, which reads "Path not found".
std::string CreateErrorMessage(int errorCode);

// The general error handler's rule: a '.' is appended when the message's last character sorts
// after '.' (so texts that end in a digit or a letter get one, "...)" and "..." do not).
std::string WithClosingPeriod(std::string message);

// The folder the save dialog opens in: "data" beside the program file.
std::string MakeDataFolder(std::string programDir);

// The folder the save dialog starts in, made ready for the save: `dataFolder` where it exists
// as a writable folder or can be created beside the program; otherwise (an installed copy whose
// program folder nobody may write) `documentsFolder` + "/Vitreo-K", created when missing. With
// no documents folder known, `dataFolder` as it is.
std::string PrepareSaveFolder(const std::string& dataFolder, const std::string& documentsFolder);

struct TExportPage {
    const char* FileNamePrefix; // "R_Fr(" ...
    const char* What;           // the dialog title's part: "Reflectance Data" ...
    const char* HeaderLine;     // UTF-8; 30, 30, 22 and 41 characters
};
const TExportPage& ExportPage(TResultPage page);

// prefix + n1 "," k1 ";" n2 "," k2 ")" with every '.' made '_'; the locale's separator stays.
std::string SuggestedFileName(TResultPage page, const TInputParams& params);

TSaveDialogRequest MakeSaveDialogRequest(const std::string& what, const std::string& initialDir,
                                         const std::string& fileName);

// UTF-8 to the single-byte file text: code points up to U+00FF become one byte, others '?'.
// Bytes that are not valid UTF-8 pass through unchanged.
std::string ToSingleByteText(std::string_view utf8);

// Appends the data line of point i (without its line end) to `out`.
void AppendDataLine(std::string& out, TResultPage page, const TSweepResults& results,
                    const TPhaseResults& phases, int i);

// A file created for the export. Create reports failure through errno instead of throwing, so
// that the caller can tell the user without an error escaping; Write and Close throw EInOutError.
class ExportFile {
public:
    ExportFile() = default;
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    // Creates or truncates the file; false with `errorCode` set when it cannot be created, in
    // which case nothing was created or changed.
    bool Create(const std::string& path, int& errorCode);
    // Takes over a descriptor already open for writing (a file made elsewhere, standard output);
    // Close closes it.
    void Adopt(int fd);
    void Write(std::string_view bytes);
    void Close();

private:
    void Flush();
    [[noreturn]] void Fail(int errorCode);

    static constexpr std::size_t kBufferSize = 64 * 1024;
    int fd_ = -1;
    std::string buffer_;
};

// Writes the whole export of a page to an open file: the summary lines, the header line and the
// data lines of points 1 ... params.Count (on the Polarization page only those below the
// critical angle). Throws EInOutError.
void WritePageExport(ExportFile& file, TResultPage page, const std::vector<std::string>& summary,
                     const TInputParams& params, const TSweepResults& results,
                     const TPhaseResults& phases);
