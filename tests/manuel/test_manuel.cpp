// The user manual embedded in the window: a complete PDF of three pages whose information
// dictionary carries the French title.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string manuel()
{
    std::ifstream in(TARVEX_MANUEL_PDF, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The PDF literal string that opens at `debut` ("(...)", where a backslash escapes the next
// byte), read as UTF-16BE after its byte order mark, the form QPdfWriter gives text strings.
std::u16string texte(const std::string& pdf, std::size_t debut)
{
    std::string octets;
    for (std::size_t i = debut + 1; i < pdf.size() && pdf[i] != ')'; ++i)
        octets += pdf[i] == '\\' && i + 1 < pdf.size() ? pdf[++i] : pdf[i];
    std::u16string utf16;
    if (octets.rfind("\xFE\xFF", 0) != 0) return u"(pas de marque d'ordre UTF-16BE)";
    for (std::size_t i = 2; i + 1 < octets.size(); i += 2)
        utf16 += char16_t(static_cast<unsigned char>(octets[i]) << 8 |
                          static_cast<unsigned char>(octets[i + 1]));
    return utf16;
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

    const auto titre = pdf.find("/Title (");
    ASSERT_NE(titre, std::string::npos);
    EXPECT_EQ(texte(pdf, titre + 7), u"Introduction à la notation polonaise inverse (RPN)");
}
