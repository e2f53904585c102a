// Image lists of 16-bit colour images without masks, filled from bitmap
// files. Scripts keep the handles as 32-bit integers.
#include "../interface/call.h"  // brings windows.h, which commctrl.h needs first

#include <commctrl.h>

namespace {

HIMAGELIST ImageListArg(const Call& call, int k) {
    return reinterpret_cast<HIMAGELIST>(static_cast<intptr_t>(ArgInt(call, k)));
}

// Only whether the file can be opened for reading; nothing is read.
bool FileOpens(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

Completed ilCreateImgList(const Call& call) {
    // Scripts give the counts first and the size after them.
    HIMAGELIST list = ImageList_Create(ArgInt(call, 3), ArgInt(call, 4), ILC_COLOR16, ArgInt(call, 1), ArgInt(call, 2));
    return CompleteInt(call, static_cast<int32_t>(reinterpret_cast<intptr_t>(list)));
}

Completed ilAddImage(const Call& call) {
    const char* path = ArgText(call, 2);
    if (!FileOpens(path)) {
        ShowMessage(call, "The specified file does not appear to be available", "File Open Error");
        return CompleteInt(call, 0);
    }
    HIMAGELIST list = ImageListArg(call, 1);
    // The list copies the bitmap (cut into images of the list's width),
    // so the loaded one is only a temporary.
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_VGACOLOR |
                                                         LR_CREATEDIBSECTION));
    if (bitmap) {
        ImageList_Add(list, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    return CompleteInt(call, ImageList_GetImageCount(list));
}

Completed ilRemoveImage(const Call& call) {
    // Removes nothing: scripts use it to read the count.
    return CompleteInt(call, ImageList_GetImageCount(ImageListArg(call, 1)));
}

Completed ilDeleteImgList(const Call& call) {
    ImageList_Destroy(ImageListArg(call, 1));
    return CompleteInt(call, 1);
}
