// The host's callback object for language plug-ins.
//
// The order of the virtual operations is part of the binary interface between the
// separately built host and plug-ins: never reorder, insert or remove an operation.
// Offsets and lengths are byte offsets into the text the proxy presents (one line or
// the whole document).
#pragma once

class VLanguageProxy {
public:
    virtual ~VLanguageProxy() {}

    // Keyword matcher: start with KeywordStep(ch, 1), feed further characters while
    // the state is not 0, then ask KeywordSets (bit k-1 stands for keyword set k).
    virtual int KeywordStep(int ch, int state) = 0;
    virtual int KeywordSets(int state) = 0;

    // The byte at offset; 0 outside the text.
    virtual char CharAt(int offset) = 0;
    virtual int TextLength() = 0;

    // Edits take effect at once; InsertText answers the number of bytes inserted.
    virtual int InsertText(int offset, const char* text, int length) = 0;
    virtual void DeleteText(int offset, int length) = 0;

    // Starts a style run at offset (style 0 is the host's default text).
    virtual void SetStyle(int offset, int style) = 0;

    // Function and include lists; the host copies the strings.
    virtual void AddFunction(const char* label, const char* name, int offset, bool prototype) = 0;
    virtual void AddInclude(const char* label, const char* name, bool flag) = 0;
    virtual void AddSeparator() = 0;

    // The user's function-list preferences.
    virtual bool ShowIncludes() = 0;
    virtual bool ShowPrototypes() = 0;
    virtual bool ShowTypes() = 0;

    // UTF-8 characters: code point and byte length (0 and 0 outside the text).
    virtual void DecodeUtf8(const char* bytes, int* codePoint, int* length) = 0;
    virtual void CodePointAt(int offset, int* ch, int* length) = 0;

    virtual bool IsLetter(int ch) = 0;
    virtual bool IsLetterOrDigit(int ch) = 0;
    virtual bool IsSpace(int ch) = 0;
};

class VLanguageProxyV2 : public VLanguageProxy {
public:
    // Regular-expression search forward from *offset; on success the match's start
    // and length are stored through offset and length.
    virtual bool FindPattern(const char* pattern, int* offset, int* length) = 0;

    // Step over one whole character and answer the character now under the offset
    // (0 at and beyond either end).
    virtual int NextChar(int* offset) = 0;
    virtual int PrevChar(int* offset) = 0;

    // 0 when the text at offset begins with s (ASCII case ignored unless caseSensitive).
    virtual int CompareText(int offset, const char* s, bool caseSensitive) = 0;

    // Copies min(length, size) bytes from offset, without a terminating NUL.
    virtual int CopyText(int offset, int length, char* buffer, int size) = 0;
};
