#pragma once
// PGN files as other chess programs write them, for the import tests: a
// site's export in UTF-8 with clock comments, an old database's export in
// Latin-1 with Windows line ends, "0-0" castling, variations, NAGs and
// escape lines, and a file of several games, set-up positions among them.

#include <string>

namespace quorvel::testing {

// A web site's game: UTF-8 names, clock comments, "1..." move numbers.
inline const std::string kSiteGame =
    "[Event \"Rated Blitz game\"]\n"
    "[Site \"https://example.org/abcd\"]\n"
    "[Date \"2023.05.14\"]\n"
    "[White \"Ga\u00EBl\"]\n"
    "[Black \"Zo\u00EB\"]\n"
    "[Result \"*\"]\n"
    "[ECO \"B90\"]\n"
    "\n"
    "1. e4 { [%clk 0:03:00] } 1... c5 { [%clk 0:03:00] } 2. Nf3 { [%clk 0:02:58] } 2... d6 3. d4 cxd4\n"
    "4. Nxd4 Nf6 5. Nc3 a6 6. Be3 e5 7. Nb3 Be6 8. f3 Be7 9. Qd2 O-O 10. O-O-O Nbd7 11. g4 b5\n"
    "12. g5 b4 13. Ne2 Ne8 14. f4 a5 15. f5 a4 16. Nbd4 exd4 17. Nxd4 b3 18. Kb1 bxc2+\n"
    "19. Nxc2 Bb3 20. axb3 axb3 21. Na3 Ne5 *\n";

// An old database's game in Latin-1 ("Hervé", "à") with CR LF line ends.
inline std::string databaseGame(const std::string& blackMove23 = "Rae8") {
    std::string text =
        "% exported by a database program\r\n"
        "[Event \"Championnat de France \xE0 Brest\"]\r\n"
        "[Site \"Brest\"]\r\n"
        "[Date \"1998.07.12\"]\r\n"
        "[Round \"5\"]\r\n"
        "[White \"Herv\xE9, J.\"]\r\n"
        "[Black \"Le Goff, \\\"Yann\\\"\"]\r\n"
        "[Result \"1-0\"]\r\n"
        "\r\n"
        "1.e4 e5 2.Nf3 {Le cavalier (pas la dame)} Nc6 3.Bb5 a6 (3...Nf6 4.0-0 (4.d3 {calme}) Nxe4)\r\n"
        "4.Ba4 Nf6 5.0-0 Be7 $6 6.Re1 b5!? 7.Bb3 d6 8.c3 0-0 9.h3 Nb8 ; Breyer\r\n"
        "% a line the reader skips\r\n"
        "10.d4 Nbd7 11.c4 c6 12.cxb5 axb5 13.Nc3 Bb7 14.Bg5 b4 15.Nb1 h6 16.Bh4 c5\r\n"
        "17.dxe5 Nxe4 18.Bxe7 Qxe7 19.exd6 Qf6 20.Nbd2 Nxd6 21.Nc4 Nxc4 22.Bxc4 Nb6\r\n"
        "23.Ne5 " +
        blackMove23 +
        " 24.Bxf7+ Rxf7 25.Nxf7 Rxe1+ 26.Qxe1 Kxf7 27.Qe3 Qg5 28.Qxg5 hxg5\r\n"
        "29.b3 Ke6 30.a3 Kd6 31.axb4 cxb4 32.Ra5 Nd5 33.f3 Bc8 34.Kf2 Bf5 35.Ra7 g6\r\n"
        "36.Ra6+ Kc5 37.Ke1 Nf4 38.g3 Nxh3 39.Kd2 Kb5 40.Rd6 Kc5 41.Ra6 Nf2 42.g4 Bd3\r\n"
        "43.Re6 1-0\r\n";
    return text;
}

// Several games: tags and no tags, set-up positions, a promotion to a
// knight, an en-passant capture marked "e.p.", a game left unfinished.
inline const std::string kSeveralGames =
    "[Event \"Miniature\"]\n"
    "[White \"A\"]\n"
    "[Black \"B\"]\n"
    "[Date \"2001.01.01\"]\n"
    "[Result \"0-1\"]\n"
    "\n"
    "1. f3 e5 2. g4 Qh4# 0-1\n"
    "\n"
    "[Event \"Position\"]\n"
    "[SetUp \"1\"]\n"
    "[FEN \"r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4\"]\n"
    "[Result \"1-0\"]\n"
    "\n"
    "4. Qxf7# 1-0\n"
    "\n"
    "[Event \"Finale\"]\n"
    "[White \"C\"]\n"
    "[Black \"D\"]\n"
    "[SetUp \"1\"]\n"
    "[FEN \"7k/5P2/8/8/3p4/8/4P3/4K3 w - - 0 40\"]\n"
    "\n"
    "40. e4 dxe3 e.p. 41. f8=N Kg7 42. Ne6+ Kf6 43. Nd4 e2 44. Nxe2 Kf5 1/2-1/2\n"
    "\n"
    "1. d4 d5 2. c4 e6 *\n";

}  // namespace quorvel::testing
