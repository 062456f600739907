// The host's text-access object for tool extensions.
//
// The order of the virtual operations is part of the binary interface between the
// separately built host and extensions: never reorder, insert or remove an operation.
// Positions and lengths are byte offsets into the whole document.
#pragma once

class VTextProxy {
public:
    virtual ~VTextProxy() {}

    // The byte at the position; 0 at or past the end of the text.
    virtual char CharAt(int position) = 0;
    virtual int TextLength() = 0;

    // Edits answer 0 on success and the host's own non-zero code otherwise. The
    // inserted text is not NUL-terminated: `length` bytes are inserted.
    virtual int InsertText(int position, const char* text, int length) = 0;
    virtual int DeleteText(int position, int length) = 0;

    virtual void GetSelection(int* start, int* length) = 0;
    virtual int Select(int start, int length) = 0;

    // True with the document's full path (NUL-terminated) in the buffer; false for a
    // document that was never saved.
    virtual bool GetFilePath(char* buffer, int size) = 0;

    // Operations of the host that no extension calls.
    virtual void HostOperation9() = 0;
    virtual void HostOperation10() = 0;
    virtual void HostOperation11() = 0;
    virtual void HostOperation12() = 0;
    virtual void HostOperation13() = 0;
    virtual void HostOperation14() = 0;
    virtual void HostOperation15() = 0;
    virtual void HostOperation16() = 0;
    virtual void HostOperation17() = 0;

    // The host window that owns the extension's modal dialogs (an HWND on Windows).
    virtual void* GetWindow() = 0;
};
