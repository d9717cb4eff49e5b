// The user manual embedded in the window: a complete PDF of three pages whose information
// dictionary carries the French title.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

std::string manuel()
{
    std::ifstream in(TARVEX_MANUEL_PDF, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(Manuel, PdfCompletDeTroisPagesAvecSonTitre)
{
    const std::string pdf = manuel();
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u) << TARVEX_MANUEL_PDF;
    EXPECT_EQ(pdf.compare(pdf.find_last_not_of("\r\n") - 4, 5, "%%EOF"), 0);

    int pages = 0; // page objects, not the /Type /Pages tree node
    for (auto i = pdf.find("/Type /Page"); i != std::string::npos;
         i = pdf.find("/Type /Page", i + 1))
        pages += pdf.compare(i + 11, 1, "s") != 0;
    EXPECT_EQ(pages, 3);
    // The French title in the information dictionary, in UTF-16BE after its byte order mark.
    std::string titre = "/Title (\xFE\xFF";
    for (char16_t c : std::u16string_view(u"Introduction à la notation polonaise inverse"))
        titre += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    EXPECT_NE(pdf.find(titre), std::string::npos);
}
