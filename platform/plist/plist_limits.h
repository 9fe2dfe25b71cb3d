#pragma once

#include <cstddef>

namespace platform {

// libplist 2.2 parses binary property lists and frees every tree by recursion without a limit;
// nesting is refused beyond the depth its later versions adopted.
inline constexpr std::size_t kMaxPropertyListNesting = 512;

}  // namespace platform

// What the loader reads, as a well-kept reader does (the binary encoding is taken as it is):
// - Encoding of XML text: a UTF-8 byte-order mark is dropped; UTF-16 of either byte order, told
//   by its mark or by a declaration starting with "<?" in it, is read as the same text in UTF-8,
//   an unpaired surrogate as U+FFFD, while an odd length or a NUL character refuses the file.
//   The bytes decide: a declaration naming another encoding is not read. Other text goes as
//   before.
// - Line ends of XML text: CRLF and a lone CR are LF before parsing; &#13; still yields a CR.
// - Text of <integer> and <real>: as XML reads it, comments left out, CDATA taken as written and
//   character references and the five predefined entities replaced; another reference refuses.
// - <integer>: blanks around, an optional sign, then decimal digits (leading zeros are decimal)
//   or 0x and hexadecimal digits. Other text refuses the file. From -2^63 to 2^64 - 1 it is its
//   value; beyond, it is kept as an integer whose value no reader uses, never a refusal.
// - Binary integers: 1, 2 and 4 bytes unsigned, 8 bytes signed, 16 bytes signed with the same
//   range as above. A UTF-16 string or key holds an unpaired surrogate as U+FFFD.
// - The switch takes an integer only when its value is exactly 0 or 1 ("01" and "0x1" are 1).
