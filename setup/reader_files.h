#pragma once
// Which files of a folder belong to this reader. Every program and library
// the reader ships, and setup itself, carries a version resource naming the
// company "Lirvo" and the product "LirvoPDF阅读器"; a file that does not is
// somebody else's, however it is named. That is how setup tells an earlier
// installation of the reader (replaced without a question) from a folder of
// the user's (where nothing is replaced without the user's word).

#include <string>

namespace lirvo::setup {

inline constexpr char kCompanyName[] = "Lirvo";

// True when `path` is a file whose version resource names this reader's
// company and product.
bool IsReaderFile(const std::string& path);

}  // namespace lirvo::setup
