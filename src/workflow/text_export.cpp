#include "workflow/text_export.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "numtext/numtext.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

const TExportPage kPages[] = {
    {"R_Fr(", "Reflectance Data", "Angle (\u00B0)  Rs       Rp       R"},
    {"T_Fr(", "Transmittance Data", "Angle (\u00B0)  Ts       Tp       T"},
    {"P_Fr(", "Polarization Data", "Angle (\u00B0)  PR       PT"},
    // The file's single bytes have no Greek letters: delta s, delta p, Delta, psi spelt out, the
    // s column before the p column as on the other pages, each label on the same nine-character
    // pitch.
    {"Ph_Fr(", "Phase Data", "Angle (\u00B0)  ds       dp       Delta    psi"},
};

void AppendNumber(std::string& out, Extended value) {
    out += FixedWidthText(value, 8, 6);
}

// The s, p and unpolarized columns of the Reflectance and Transmittance pages.
void AppendThree(std::string& out, Extended s, Extended p, Extended unpolarized) {
    AppendNumber(out, s);
    out += ' ';
    AppendNumber(out, p);
    out += ' ';
    AppendNumber(out, unpolarized);
}

void AppendDegree(std::string& out, Extended value) {
    if (value == NotAvailable) {
        out += "N/A";
    } else {
        AppendNumber(out, value);
    }
}

} // namespace

EInOutError::EInOutError(int errorCode)
    : std::runtime_error(InOutErrorMessage(errorCode)), errorCode_(errorCode) {}

std::string InOutErrorMessage(int errorCode) {
    switch (errorCode) {
    case ENOENT:
        return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return "Invalid filename";
    case EMFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(errorCode);
    }
}

std::string CreateErrorMessage(int errorCode) {
    return errorCode == ENOENT ? "Path not found" : InOutErrorMessage(errorCode);
}

std::string WithClosingPeriod(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        message += '.';
    }
    return message;
}

std::string MakeDataFolder(std::string programDir) {
    while (!programDir.empty() && programDir.back() == '/') {
        programDir.pop_back();
    }
    return programDir + "/data";
}

namespace {

bool IsWritableFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(path.c_str(), W_OK | X_OK) == 0;
}

// Creates the folder and any missing folders above it; true when it is then a writable folder.
bool MakeWritableFolder(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0777);
    }
    ::mkdir(path.c_str(), 0777);
    return IsWritableFolder(path);
}

} // namespace

std::string PrepareSaveFolder(const std::string& dataFolder, const std::string& documentsFolder) {
    if (IsWritableFolder(dataFolder) || documentsFolder.empty()) {
        return dataFolder;
    }
    // Beside the program only the "data" folder itself is made, never the folders above it.
    struct stat info {};
    if (::stat(dataFolder.c_str(), &info) != 0 && ::mkdir(dataFolder.c_str(), 0777) == 0 &&
        IsWritableFolder(dataFolder)) {
        return dataFolder;
    }
    std::string fallback = documentsFolder;
    while (fallback.size() > 1 && fallback.back() == '/') {
        fallback.pop_back();
    }
    fallback += "/Vitreo-K";
    MakeWritableFolder(fallback);
    return fallback;
}

const TExportPage& ExportPage(TResultPage page) {
    return kPages[static_cast<int>(page)];
}

std::string SuggestedFileName(TResultPage page, const TInputParams& params) {
    std::string name = ExportPage(page).FileNamePrefix;
    name += FormatByPattern("###0.00000", params.n1);
    name += ',';
    name += FormatGeneral(params.k1, 8, 2);
    name += ';';
    name += FormatByPattern("###0.00000", params.n2);
    name += ',';
    name += FormatGeneral(params.k2, 8, 2);
    name += ')';
    // A '.' would make the dialog take the digits after it for an extension.
    for (char& c : name) {
        if (c == '.') {
            c = '_';
        }
    }
    return name;
}

TSaveDialogRequest MakeSaveDialogRequest(const std::string& what, const std::string& initialDir,
                                         const std::string& fileName) {
    TSaveDialogRequest request;
    request.Title = std::string(ProductName) + ": Save " + what + " in Text File";
    request.Filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    request.FilterIndex = 1;
    request.DefaultExt = "txt";
    request.InitialDir = initialDir;
    request.FileName = fileName;
    request.OverwritePrompt = true;
    request.EnableSizing = true;
    request.HideReadOnly = false;
    return request;
}

std::string ToSingleByteText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        }
        bool valid = length > 0 && i + length <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        out += code <= 0xFF ? static_cast<char>(code) : '?';
        i += length;
    }
    return out;
}

void AppendDataLine(std::string& out, TResultPage page, const TSweepResults& results,
                    const TPhaseResults& phases, int i) {
    // One blank keeps the angle column nine characters wide for angles below 10.
    if (results.IA[i] < 10) {
        out += ' ';
    }
    AppendNumber(out, results.IA[i]);
    out += ' ';
    switch (page) {
    case TResultPage::Reflectance:
        AppendThree(out, results.Rs[i], results.Rp[i], results.R[i]);
        break;
    case TResultPage::Transmittance:
        AppendThree(out, results.Ts[i], results.Tp[i], results.T[i]);
        break;
    case TResultPage::Polarization:
        AppendDegree(out, results.PR[i]);
        out += ' ';
        AppendDegree(out, results.PT[i]);
        break;
    case TResultPage::Phase:
        AppendDegree(out, phases.PhaseRs[i]);
        out += ' ';
        AppendDegree(out, phases.PhaseRp[i]);
        out += ' ';
        AppendDegree(out, phases.Delta[i]);
        out += ' ';
        AppendDegree(out, phases.Psi[i]);
        break;
    }
}

ExportFile::~ExportFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool ExportFile::Create(const std::string& path, int& errorCode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        errorCode = errno;
        return false;
    }
    fd_ = fd;
    buffer_.clear();
    buffer_.reserve(kBufferSize);
    return true;
}

void ExportFile::Adopt(int fd) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
    buffer_.clear();
    buffer_.reserve(kBufferSize);
}

void ExportFile::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferSize) {
        Flush();
    }
    if (bytes.size() >= kBufferSize) {
        buffer_.assign(bytes);
        Flush();
    } else {
        buffer_.append(bytes);
    }
}

void ExportFile::Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno);
        }
        if (n == 0) {
            Fail(EIO);
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void ExportFile::Fail(int errorCode) {
    // The lines already on disk stay; the descriptor is not kept for a later attempt.
    buffer_.clear();
    ::close(fd_);
    fd_ = -1;
    throw EInOutError(errorCode);
}

void ExportFile::Close() {
    if (fd_ < 0) {
        return;
    }
    Flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        throw EInOutError(errno);
    }
}

void WritePageExport(ExportFile& file, TResultPage page, const std::vector<std::string>& summary,
                     const TInputParams& params, const TSweepResults& results,
                     const TPhaseResults& phases) {
    std::string text;
    for (const std::string& line : summary) {
        text = ToSingleByteText(line);
        text += kLineEnd;
        file.Write(text);
    }
    text = ToSingleByteText(ExportPage(page).HeaderLine);
    text += kLineEnd;
    file.Write(text);

    const bool belowCriticalOnly = page == TResultPage::Polarization;
    for (int i = 1; i <= params.Count; ++i) {
        if (belowCriticalOnly && !(results.IA[i] < results.CriticalAngle)) {
            continue;
        }
        text.clear();
        AppendDataLine(text, page, results, phases, i);
        text += kLineEnd;
        file.Write(text);
    }
}
