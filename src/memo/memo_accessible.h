// What assistive technology sees of the data memo: an editable, multi-line text with a name, its
// caret and selection, the text around an offset, and edits that go through the document like the
// user's own. Character offsets count a CR LF as one character ("\n").
#pragma once

#include <cstddef>

namespace corvane {

class TMemoBuffer;

// Installs the factory that gives every memo view its accessible interface (once per process).
void InstallMemoAccessibility();

int MemoCharacterOffset(const TMemoBuffer& buffer, std::size_t position);
std::size_t MemoBytePosition(const TMemoBuffer& buffer, int offset);

}  // namespace corvane
