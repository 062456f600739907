// The host's text-access object for tool extensions, over a document held in memory:
// its bytes, a selection and the document's file path (none for a never-saved one).
#pragma once

#include "document.h"
#include "tool_proxy.h"

#include <optional>
#include <string>
#include <vector>

namespace varnel {

// The codes TextProxy's edits answer when they refuse.
enum TextProxyError : int {
    kTextProxyOutsideText = 1, // a position or length outside the text, or negative
    kTextProxyNoText = 2,      // InsertText of a positive length without a text
    kTextProxyTooLong = 3,     // the text would grow past what an int offset reaches
};

class TextProxy : public VTextProxy {
public:
    // `window` is what GetWindow answers: the owner of an extension's dialogs.
    explicit TextProxy(const std::string& text, std::optional<std::string> filePath = std::nullopt,
                       void* window = nullptr);

    std::string Text() const;

    // Line ends as a file has them. The text given to the constructor is the editor's
    // view, its lines joined by line feeds; `ends` names, for each of its line feeds in
    // order, the line end it stands for in the file. The proxy keeps that knowledge
    // through every edit: a line feed the extension inserts has none of its own.
    void KeepLineEnds(const std::vector<LineEnd>& ends);
    // The text with each line feed written as the line end it stood for, and every line
    // feed inserted since as `added`.
    std::string FileText(LineEnd added) const;
    int SelectionStart() const { return selectionStart_; }
    int SelectionLength() const { return selectionLength_; }

    // VTextProxy. Edits keep the selection on the same text: it moves with text inserted
    // at or before its start, grows with text inserted inside it or at its end, and
    // shrinks with text deleted from it.
    char CharAt(int position) override;
    int TextLength() override;
    int InsertText(int position, const char* text, int length) override;
    int DeleteText(int position, int length) override;
    void GetSelection(int* start, int* length) override;
    int Select(int start, int length) override;
    // False too when the path and its NUL do not fit the buffer.
    bool GetFilePath(char* buffer, int size) override;
    void HostOperation9() override {}
    void HostOperation10() override {}
    void HostOperation11() override {}
    void HostOperation12() override {}
    void HostOperation13() override {}
    void HostOperation14() override {}
    void HostOperation15() override {}
    void HostOperation16() override {}
    void HostOperation17() override {}
    void* GetWindow() override { return window_; }

private:
    // The text lives in a gap buffer: edits that walk through the document front to
    // back, as the extensions' do, move only a little text each.
    std::size_t Size() const { return buffer_.size() - (gapEnd_ - gapStart_); }
    void MoveGap(std::size_t position);
    void ReserveGap(std::size_t length);

    std::vector<char> buffer_;
    // Beside each byte of buffer_, in the same gap layout: the LineEnd a line feed stands
    // for (LineEnd::None for every other byte, and for line feeds inserted since). Empty
    // when line ends are not kept.
    std::vector<LineEnd> ends_;
    std::size_t gapStart_ = 0;
    std::size_t gapEnd_ = 0;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
    std::optional<std::string> filePath_;
    void* window_;
};

} // namespace varnel
