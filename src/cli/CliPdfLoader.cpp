#include "cli/CliPdf.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>
#include <vector>

namespace lumora::cli {

namespace {

struct TLoaded {
    TRenderPdfFunction render = nullptr;
    std::string error; // why it could not be loaded
};

TLoaded LoadModule()
{
    const std::string path = PdfModulePath();
    TLoaded loaded;
    // Never closed: a library that brought Qt in does not take it out again safely.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        loaded.error = "PDF output needs the report module " + path + ", installed with the editor (" +
                       (why ? why : "cannot be loaded") + ")";
        return loaded;
    }
    loaded.render = reinterpret_cast<TRenderPdfFunction>(::dlsym(handle, kPdfRenderSymbol));
    if (loaded.render == nullptr)
        loaded.error = path + ": not lumora-cli's report module (no " + kPdfRenderSymbol + ")";
    return loaded;
}

} // namespace

std::string PdfModulePath()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty())
        return kPdfModuleFile; // then the loader's search path decides
    return (self.parent_path() / kPdfModuleFile).string();
}

std::optional<std::string> RenderReportPdf(std::string_view report, const std::string& dataFile,
                                           std::vector<std::uint8_t>& pdf)
{
    static const TLoaded loaded = LoadModule();
    if (loaded.render == nullptr)
        return loaded.error;
    const TPdfSink sink = [](void* context, const unsigned char* data, std::size_t size) {
        static_cast<std::vector<std::uint8_t>*>(context)->assign(data, data + size);
    };
    pdf.clear();
    std::vector<char> why(1024, '\0');
    const std::string name(report);
    if (loaded.render(kPdfModuleAbi, name.c_str(), dataFile.c_str(), sink, &pdf, why.data(), why.size()) == 0) {
        if (pdf.empty())
            return std::string("the report engine gave no PDF");
        return std::nullopt;
    }
    why.back() = '\0';
    const std::string reason = why.data();
    return reason.empty() ? std::string("the report engine could not make the PDF") : reason;
}

} // namespace lumora::cli
