#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <sstream>
#include <string>
#include <vector>

#include "paths.h"
#include "win_test_support.h"

// Declared outside the anonymous namespace: only the library implements it,
// and the compiler must not conclude that no object of it can exist.
struct IITStorage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD,
                                                                   IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                     IStorage**) = 0;
};

namespace {

// The compiled-help storage that the viewer reads its pages through. Without
// an HTML engine Wine's viewer leaves the topic pane blank, so the topics are
// read here through the same storage instead.
const CLSID kItStorageClass = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kItStorageInterface = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

std::wstring Wide(const std::string& text) {
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
    return wide;
}

// The files the help project lists under [FILES].
std::vector<std::string> ProjectFiles() {
    std::istringstream project(ReadFileBytes("Z:" DOTWELL_SOURCE_DIR "/docs/help/Dotwell.hhp"));
    std::vector<std::string> files;
    bool inFiles = false;
    for (std::string line; std::getline(project, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] == '[') {
            inFiles = line == "[FILES]";
        } else if (inFiles && !line.empty()) {
            files.push_back(line);
        }
    }
    return files;
}

std::string ReadStream(IStorage* storage, const std::string& name) {
    IStream* stream = nullptr;
    if (FAILED(storage->OpenStream(Wide(name).c_str(), nullptr, STGM_READ, 0, &stream))) {
        return "<missing>";
    }
    std::string bytes;
    char block[4096];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(block, sizeof block, &read)) && read > 0) {
        bytes.append(block, read);
    }
    stream->Release();
    return bytes;
}

TEST(HelpFileTest, EveryPageOfTheProjectIsInTheCompiledFileUnchanged) {
    const std::vector<std::string> files = ProjectFiles();
    ASSERT_GE(files.size(), 2u) << "help project not read";
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IITStorage* library = nullptr;
    ASSERT_TRUE(
        SUCCEEDED(CoCreateInstance(kItStorageClass, nullptr, CLSCTX_INPROC_SERVER,
                                   kItStorageInterface, reinterpret_cast<void**>(&library))));
    char chm[MAX_PATH];
    ModuleFolderPath(chm, sizeof chm, "Dotwell.chm");
    IStorage* storage = nullptr;
    ASSERT_TRUE(SUCCEEDED(library->StgOpenStorage(
        Wide(chm).c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &storage)))
        << chm;
    for (const std::string& name : files) {
        const std::string source = ReadFileBytes("Z:" DOTWELL_SOURCE_DIR "/docs/help/" + name);
        EXPECT_FALSE(source.empty()) << name;
        EXPECT_TRUE(ReadStream(storage, name) == source) << name << " differs in Dotwell.chm";
    }
    storage->Release();
    library->Release();
    CoUninitialize();
}

} // namespace
