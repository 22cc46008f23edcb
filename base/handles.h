// Tiny owners of system handles, where they make a leak impossible without
// hiding the call that made the handle. Not copyable; get() hands the handle
// to the API, out() receives one, release() gives up ownership.
#ifndef VORNEL_BASE_HANDLES_H
#define VORNEL_BASE_HANDLES_H

#include <windows.h>

template <typename Handle, typename Traits>
class OwnedHandle {
public:
    OwnedHandle() : handle_(Traits::Empty()) {}
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    Handle get() const { return handle_; }
    Handle* out() { reset(); return &handle_; }
    bool valid() const { return handle_ != Traits::Empty(); }
    Handle release() { Handle h = handle_; handle_ = Traits::Empty(); return h; }
    void reset() { reset(Traits::Empty()); }
    void reset(Handle handle)
    {
        if (handle_ != Traits::Empty())
            Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_;
};

template <typename Handle>
struct NullEmpty { static Handle Empty() { return nullptr; } };

struct RegKeyTraits : NullEmpty<HKEY> { static void Close(HKEY key) { RegCloseKey(key); } };
// FindFirstFileA fails with INVALID_HANDLE_VALUE, not null.
struct FindTraits { static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
                    static void Close(HANDLE find) { FindClose(find); } };
struct KernelTraits : NullEmpty<HANDLE> { static void Close(HANDLE handle) { CloseHandle(handle); } };
// CreateToolhelp32Snapshot and CreateFileA fail with INVALID_HANDLE_VALUE.
struct InvalidValueTraits { static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
                            static void Close(HANDLE handle) { CloseHandle(handle); } };
struct LibraryTraits : NullEmpty<HMODULE> { static void Close(HMODULE module) { FreeLibrary(module); } };
struct IconTraits : NullEmpty<HICON> { static void Close(HICON icon) { DestroyIcon(icon); } };
struct GdiTraits : NullEmpty<HGDIOBJ> { static void Close(HGDIOBJ object) { DeleteObject(object); } };
struct MemoryDCTraits : NullEmpty<HDC> { static void Close(HDC dc) { DeleteDC(dc); } };

typedef OwnedHandle<HKEY, RegKeyTraits> RegKey;
typedef OwnedHandle<HANDLE, FindTraits> FindHandle;
typedef OwnedHandle<HANDLE, KernelTraits> KernelHandle;
typedef OwnedHandle<HANDLE, InvalidValueTraits> SnapshotHandle;
typedef OwnedHandle<HANDLE, InvalidValueTraits> FileHandle;
typedef OwnedHandle<HMODULE, LibraryTraits> Library;
// Only for icons this program created or extracted, never for LoadIcon's shared ones.
typedef OwnedHandle<HICON, IconTraits> OwnedIcon;
typedef OwnedHandle<HGDIOBJ, GdiTraits> GdiObject;
typedef OwnedHandle<HDC, MemoryDCTraits> MemoryDC;

// GetDC/ReleaseDC on the same window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { if (dc_) ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// GetWindowDC/ReleaseDC: the whole window, caption and frame included.
class WholeWindowDC {
public:
    explicit WholeWindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WholeWindowDC() { if (dc_) ReleaseDC(window_, dc_); }
    WholeWindowDC(const WholeWindowDC&) = delete;
    WholeWindowDC& operator=(const WholeWindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

#endif
