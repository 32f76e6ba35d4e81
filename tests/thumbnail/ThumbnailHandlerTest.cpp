// The thumbnail handler DLL in-process under Wine: registered under HKCU as the installer
// registers it, made by COM from its class id, handed streams of sound, refused and junk
// drawings; its pictures checked against the whole-atlas composer's.

#include "files/ArtFile.h"
#include "model/DrawingEditor.h"
#include "support/CommittedAtlas.h"
#include "support/TempFolder.h"
#include "thumbnail/ThumbnailClassId.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <propsys.h>
#include <shlwapi.h>
#include <thumbcache.h>

#include <string>
#include <vector>

namespace MyApp {
namespace {

const wchar_t ClassKey[] = L"Software\\Classes\\CLSID\\" TEXT(TESSALY_THUMBNAIL_CLSID);
const wchar_t HandlerKey[] =
    L"Software\\Classes\\.art\\ShellEx\\{e357fccd-a995-4576-b01f-234630154e96}";

// Wine's COM reads classes from the machine's key alone, not merged with the user's as
// Windows does: there the class is registered under both.
std::vector<HKEY> ClassRoots() {
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    return wine ? std::vector<HKEY>{HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}
                : std::vector<HKEY>{HKEY_CURRENT_USER};
}

void SetValue(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    ASSERT_EQ(RegSetKeyValueW(root, key, name, REG_SZ, value.c_str(),
                              DWORD((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

// Registered as the installer registers it for one user.
class ThumbnailHandler : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::wstring server = std::wstring(ClassKey) + L"\\InprocServer32";
        for (HKEY root : ClassRoots()) {
            SetValue(root, ClassKey, nullptr, L"Miniature dei disegni Tessaly");
            SetValue(root, server.c_str(), nullptr, TESSALY_THUMBNAIL_DLL);
            SetValue(root, server.c_str(), L"ThreadingModel", L"Apartment");
        }
        SetValue(HKEY_CURRENT_USER, HandlerKey, nullptr, TEXT(TESSALY_THUMBNAIL_CLSID));
    }
    static void TearDownTestSuite() {
        for (HKEY root : ClassRoots()) RegDeleteTreeW(root, ClassKey);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.art");
        CoUninitialize();
    }

    // A handler made as the shell makes it: the class id the ".art" handler key names.
    IInitializeWithStream* Make() {
        wchar_t text[64] = {};
        LONG size = sizeof(text);
        EXPECT_EQ(RegQueryValueW(HKEY_CURRENT_USER, HandlerKey, text, &size), ERROR_SUCCESS);
        CLSID classId{};
        EXPECT_EQ(CLSIDFromString(text, &classId), S_OK);
        IInitializeWithStream* handler = nullptr;
        EXPECT_EQ(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&handler)), S_OK);
        return handler;
    }
};

// A memory stream that counts the bytes it was asked for.
class CountingStream final : public IStream {
public:
    explicit CountingStream(const std::string& bytes)
        : inner(SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                  UINT(bytes.size()))) {}
    ~CountingStream() { inner->Release(); }
    std::size_t asked = 0;

    IFACEMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (iid != __uuidof(IUnknown) && iid != __uuidof(ISequentialStream) &&
            iid != __uuidof(IStream)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        return S_OK;
    }
    // Lives on the test's stack.
    IFACEMETHODIMP_(ULONG) AddRef() override { return 2; }
    IFACEMETHODIMP_(ULONG) Release() override { return 1; }
    IFACEMETHODIMP Read(void* to, ULONG count, ULONG* read) override {
        asked += count;
        return inner->Read(to, count, read);
    }
    IFACEMETHODIMP Write(const void* from, ULONG count, ULONG* written) override {
        return inner->Write(from, count, written);
    }
    IFACEMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* at) override {
        return inner->Seek(move, origin, at);
    }
    IFACEMETHODIMP SetSize(ULARGE_INTEGER size) override { return inner->SetSize(size); }
    IFACEMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;  // every byte must pass through Read to be counted
    }
    IFACEMETHODIMP Commit(DWORD flags) override { return inner->Commit(flags); }
    IFACEMETHODIMP Revert() override { return inner->Revert(); }
    IFACEMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return E_NOTIMPL;
    }
    IFACEMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return E_NOTIMPL;
    }
    IFACEMETHODIMP Stat(STATSTG* stat, DWORD flags) override { return inner->Stat(stat, flags); }
    IFACEMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

private:
    IStream* inner;
};

struct Thumbnail {
    HRESULT initialized = E_FAIL, made = E_FAIL;
    int width = 0, height = 0;  // a top-down 32-bit DIB section's, or 0
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, as the DIB holds them
    std::size_t asked = 0;               // bytes the handler asked the stream for
};

Thumbnail ThumbnailOf(IInitializeWithStream* handler, const std::string& bytes, UINT edge) {
    Thumbnail result;
    CountingStream stream(bytes);
    result.initialized = handler->Initialize(&stream, STGM_READ);
    result.asked = stream.asked;
    IThumbnailProvider* provider = nullptr;
    EXPECT_EQ(handler->QueryInterface(IID_PPV_ARGS(&provider)), S_OK);
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(1);
    WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
    result.made = provider->GetThumbnail(edge, &bitmap, &alpha);
    provider->Release();
    if (FAILED(result.made)) {
        EXPECT_EQ(bitmap, nullptr);
        return result;
    }
    EXPECT_EQ(alpha, WTSAT_RGB);
    DIBSECTION dib{};
    EXPECT_EQ(GetObjectW(bitmap, sizeof(dib), &dib), int(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);  // top-down: bmBits starts with the top row
    result.width = dib.dsBm.bmWidth;
    result.height = dib.dsBm.bmHeight;
    const auto* bits = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
    for (std::size_t i = 0; i < std::size_t(result.width) * result.height; ++i)
        result.pixels.push_back(bits[i] & 0xFFFFFF);
    DeleteObject(bitmap);
    return result;
}

// The export picture by the composer over the whole committed atlas, as 0x00RRGGBB.
Picture ExpectedPicture(const std::string& bytes) {
    const ArtReadResult read = ReadArtBytes(bytes);
    DrawingEditor editor;
    EXPECT_TRUE(editor.LoadDrawing(read.drawing.width, read.drawing.height,
                                   read.drawing.background, read.drawing.cells));
    Picture picture = ComposeExportPicture(editor.Grid(), Testing::Atlas());
    for (std::uint32_t& c : picture.pixels) c = (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16;
    return picture;
}

std::string DataFile(const char* name) {
    return Testing::ReadBytes(Testing::SourceFolder() / "tests" / "data" / name);
}

TEST_F(ThumbnailHandler, EnlargesBySharpWholeFactorThatFits) {
    const struct { const char* file; int factor; } cases[] = {
        {"golden-1x1.art", 10},  // 16 x 24: the height limits it
        {"golden-7x3.art", 2},   // 112 x 72: the width
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string bytes = DataFile(c.file);
        const Picture expected = ExpectedPicture(bytes);
        IInitializeWithStream* handler = Make();
        ASSERT_NE(handler, nullptr);
        const Thumbnail thumbnail = ThumbnailOf(handler, bytes, 256);
        ASSERT_EQ(thumbnail.made, S_OK);
        ASSERT_EQ(thumbnail.width, expected.width * c.factor);
        ASSERT_EQ(thumbnail.height, expected.height * c.factor);
        for (int y = 0; y < thumbnail.height; ++y)
            for (int x = 0; x < thumbnail.width; ++x)
                ASSERT_EQ(thumbnail.pixels[std::size_t(y) * thumbnail.width + x],
                          expected.At(x / c.factor, y / c.factor)) << x << ',' << y;
        // One stream to an object: a second one is refused and the first one's picture stays.
        CountingStream other(bytes);
        EXPECT_EQ(handler->Initialize(&other, STGM_READ),
                  HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED));
        EXPECT_EQ(ThumbnailOf(handler, bytes, 256).initialized,
                  HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED));
        handler->Release();
    }
}

TEST_F(ThumbnailHandler, ShrinksALargerPictureKeepingItsAspectAndColours) {
    const std::string bytes = DataFile("golden-7x3.art");
    const Picture expected = ExpectedPicture(bytes);  // 112 x 72
    IInitializeWithStream* handler = Make();
    ASSERT_NE(handler, nullptr);
    const Thumbnail thumbnail = ThumbnailOf(handler, bytes, 32);
    handler->Release();
    ASSERT_EQ(thumbnail.made, S_OK);
    EXPECT_EQ(thumbnail.width, 32);
    EXPECT_EQ(thumbnail.height, 21);  // 72 * 32 / 112 = 20.6
    // Each pixel averages an equal area, so the picture's mean colour stays.
    for (int shift : {0, 8, 16}) {
        const auto mean = [&](const std::vector<std::uint32_t>& pixels) {
            double sum = 0;
            for (std::uint32_t c : pixels) sum += c >> shift & 0xFF;
            return sum / double(pixels.size());
        };
        EXPECT_NEAR(mean(thumbnail.pixels), mean(expected.pixels), 1.0) << shift;
    }
}

// Every line as long as the reader allows (leading blanks, as atoi skips them).
std::string LargestDrawing() {
    const auto line = [](const std::string& text) {
        return std::string(LineSplitter::MaxLineBytes - text.size(), ' ') + text + "\r\n";
    };
    std::string bytes = line("80;25;10");
    for (int cell = 0; cell < GridSlots; ++cell) {
        bytes += line(std::to_string(cell % GlyphCount) + ";3");
    }
    return bytes;
}

TEST_F(ThumbnailHandler, RefusesWhatTheEditorRefusesAndReadsNoMoreThanADrawingNeeds) {
    const std::string largest = LargestDrawing();
    ASSERT_EQ(largest.size(), MaxArtFileBytes);
    std::string junk(10 << 20, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = char(i * 2654435761u >> 13);
    const struct { const char* name; std::string bytes; bool sound; } cases[] = {
        {"largest drawing", largest, true},
        {"one byte more", largest + " ", false},
        {"empty", "", false},
        {"bad header", "7;3\r\n71;10\r\n", false},
        {"oversized grid", "81;25;10\r\n71;10\r\n", false},
        {"background outside the atlas", "1;1;42\r\n71;10\r\n", false},
        {"truncated", "2;1;10\r\n71;10\r\n", false},
        {"cell without pair", "1;1;10\r\n71\r\n", false},
        {"line too long", "1;1;10\r\n" + std::string(4097, ' ') + "71;10\r\n", false},
        {"10 MB of junk", junk, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IInitializeWithStream* handler = Make();
        ASSERT_NE(handler, nullptr);
        const Thumbnail thumbnail = ThumbnailOf(handler, c.bytes, 256);
        handler->Release();
        EXPECT_LE(thumbnail.asked, MaxArtFileBytes + 1);
        EXPECT_EQ(SUCCEEDED(thumbnail.initialized), c.sound);
        EXPECT_EQ(SUCCEEDED(thumbnail.made), c.sound);
        if (c.sound) {
            EXPECT_EQ(thumbnail.width, 256);
        }
    }
}

// The module stays loaded while an object or a lock lives; the entry points are found by
// their plain names.
TEST_F(ThumbnailHandler, ModuleCountsItsObjectsAndLocks) {
    HMODULE module = LoadLibraryW(TESSALY_THUMBNAIL_DLL);
    ASSERT_NE(module, nullptr);
    const auto getClass = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    const auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_TRUE(getClass && canUnload);
    IClassFactory* factory = nullptr;
    EXPECT_EQ(getClass(IID_IUnknown, IID_PPV_ARGS(&factory)), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(getClass(ThumbnailClassId, IID_PPV_ARGS(&factory)), S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);
    IUnknown* object = nullptr;
    EXPECT_EQ(factory->CreateInstance(factory, IID_IUnknown, reinterpret_cast<void**>(&object)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IStream, reinterpret_cast<void**>(&object)),
              E_NOINTERFACE);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&object)), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    // Each of its interfaces leads back to one identity.
    IThumbnailProvider* provider = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_PPV_ARGS(&provider)), S_OK);
    IUnknown* identity = nullptr;
    ASSERT_EQ(provider->QueryInterface(IID_PPV_ARGS(&identity)), S_OK);
    EXPECT_EQ(identity, object);
    identity->Release();
    provider->Release();
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(canUnload(), S_FALSE);  // the lock
    IClassFactory* again = nullptr;
    ASSERT_EQ(getClass(ThumbnailClassId, IID_PPV_ARGS(&again)), S_OK);
    again->LockServer(FALSE);
    again->Release();
    EXPECT_EQ(canUnload(), S_OK);
    FreeLibrary(module);
}

}  // namespace
}  // namespace MyApp
