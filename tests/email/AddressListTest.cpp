#include "email/AddressList.h"
#include "email/EmailSettings.h"

#include <gtest/gtest.h>

using namespace mpsec;

namespace {

struct Case {
    const char* what;
    std::string csv;
    std::map<std::string, std::string> addresses;
    std::vector<AddressProblem> problems;
};

} // namespace

TEST(AddressList, ReadsEveryExportAndReportsEachBadLine) {
    const Case cases[] = {
        {"a header row, columns in any place, LF",
         "Name,QMR No,Phone,E-Mail\nAnne "
         "Adams,11,555,anne@example.org\nBob,0033,,bob@mail.example.com\n",
         {{"11", "anne@example.org"}, {"33", "bob@mail.example.com"}},
         {}},
        {"no header: number then address; semicolons; CR LF; a blank line",
         "11;anne@example.org\r\n\r\n33;bob@example.org\r\n",
         {{"11", "anne@example.org"}, {"33", "bob@example.org"}},
         {}},
        {"quoted fields holding commas, doubled quotes and a line break",
         "\"Member number\",\"Name, given\",\"Mail\"\r\n"
         "\"11\",\"Adams, \"\"Anne\"\"\",\"anne@example.org\"\r\n"
         "33,\"two\r\nlines\",bob@example.org\r\n"
         "44,x,\"not an address\"\r\n",
         {{"11", "anne@example.org"}, {"33", "bob@example.org"}},
         {{5, "'not an address' is not an e-mail address"}}},
        {"UTF-8 with its mark",
         "\xEF\xBB\xBFQMR;Nom;Courriel (mail)\n11;Ren\xC3\xA9;rene@example.fr\n",
         {{"11", "rene@example.fr"}},
         {}},
        {"Latin-1, read as its letters",
         "number,mail\n11,ren\xE9@example.fr\n22,anne@example.org\n",
         {{"11", "ren\xC3\xA9@example.fr"}, {"22", "anne@example.org"}},
         {}},
        {"every kind of bad line, reading going on to the end",
         "11,anne@example.org\n"
         ",nobody@example.org\n"
         "ab12,who@example.org\n"
         "22,\n"
         "33,bob@localhost\n"
         "44,a@b@example.org\n"
         "11,ANNE@example.org\n"
         "55,carl@example.org\n"
         "55,carla@example.org\n"
         "55,third@example.org\n"
         "66,dan@example.org\n",
         {{"11", "anne@example.org"}, {"66", "dan@example.org"}},
         {{2, "no member number"},
          {3, "'ab12' is not a member number"},
          {4, "no address for member 22"},
          {5, "'bob@localhost' is not an e-mail address"},
          {6, "'a@b@example.org' is not an e-mail address"},
          {9, "member 55 is given twice with two addresses (also on line 8); no message goes to "
              "either"},
          {10, "member 55 is given twice with two addresses (also on line 8); no message goes to "
               "either"}}},
    };
    for (const Case& c : cases) {
        const AddressList list = ParseAddressList(c.csv);
        EXPECT_EQ(list.ByNumber, c.addresses) << c.what;
        EXPECT_EQ(list.Problems.size(), c.problems.size()) << c.what;
        for (std::size_t i = 0; i < list.Problems.size() && i < c.problems.size(); ++i) {
            EXPECT_EQ(list.Problems[i].Line, c.problems[i].Line) << c.what << " #" << i;
            EXPECT_EQ(list.Problems[i].Why, c.problems[i].Why) << c.what << " #" << i;
        }
    }
}

TEST(AddressList, AddressShapeAndSecurity) {
    for (const char* good : {"a@b.co", "first.last+club@mail.example.org"})
        EXPECT_TRUE(IsAddressShape(good)) << good;
    for (const char* bad : {"", "@b.co", "a@", "a@b", "a@.b.co", "a@b.co.", "a@b..co", "a b@c.co",
                            "a@b.co\r\nBcc: x@y.z", "<a@b.co>", "a,b@c.co"})
        EXPECT_FALSE(IsAddressShape(bad)) << bad;

    EmailSettings s = DefaultEmailSettings();
    s.SenderAddress = "secretary@club.example.org";
    s.Host = "mail.example.org";
    EXPECT_TRUE(CheckForSending(s));
    s.Security = MailSecurity::None;
    EXPECT_EQ(CheckForSending(s).Message(),
              "Security \"None\" is allowed only for a server on this computer (127.0.0.1 or "
              "localhost): choose STARTTLS or SSL/TLS for mail.example.org.");
    for (const char* local : {"127.0.0.1", "localhost", "LocalHost"}) {
        s.Host = local;
        EXPECT_TRUE(CheckForSending(s)) << local;
    }
    s.Host = "";
    EXPECT_EQ(CheckForSending(s).Message(), "No outgoing server is set in the e-mail settings.");
}
