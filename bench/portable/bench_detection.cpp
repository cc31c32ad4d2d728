// How often Shift-JIS text is taken for UTF-8 by the list file's encoding rule (valid
// UTF-8 holding at least one multi-byte character, no byte-order mark): every JIS X 0208
// character alone and in every pair, half-width katakana alone, in every pair and in
// short runs, random runs of both, and realistic Japanese folder names as list lines.
#include "app/portable/ListEncoding.h"
#include "tests/portable/ShiftJisForTests.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

struct Count {
    unsigned long long tried = 0, utf8 = 0;
    void Add(const std::string& s) {
        ++tried;
        if (DetectListEncoding(s) != ListEncoding::leShiftJis) ++utf8;
    }
    void Print(const char* what) const {
        std::printf("%-58s %12llu %10llu %9.4f%%\n", what, tried, utf8, tried ? 100.0 * utf8 / tried : 0.0);
    }
};

} // namespace

int main() {
    const TestShiftJis sjis;
    // The double-byte characters of code page 932 that are JIS X 0208 (rows 1-84: lead
    // bytes 0x81-0x84 and 0x88-0x9F, 0xE0-0xEA), each a real character.
    std::vector<std::string> kanji;
    for (int lead = 0x81; lead <= 0xEA; ++lead) {
        if ((lead >= 0x85 && lead <= 0x87) || (lead >= 0xA0 && lead <= 0xDF)) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string c{static_cast<char>(lead), static_cast<char>(trail)};
            const std::wstring w = sjis.Decode(c);
            if (w.size() == 1 && w[0] != 0x30FB && sjis.Encode(w).bytes == c) kanji.push_back(c);
        }
    }
    std::vector<std::string> kana;
    for (int b = 0xA1; b <= 0xDF; ++b) kana.push_back(std::string(1, static_cast<char>(b)));

    std::printf("%-58s %12s %10s %10s\n", "Shift-JIS text", "tried", "as UTF-8", "share");
    Count single, pairs, kanaSingle, kanaPairs, kanaRuns, mixedRuns, names, lines;
    for (const auto& c : kanji) single.Add(c);
    for (const auto& a : kanji)
        for (const auto& b : kanji) pairs.Add(a + b);
    for (const auto& k : kana) kanaSingle.Add(k);
    for (const auto& a : kana)
        for (const auto& b : kana) kanaPairs.Add(a + b);
    std::mt19937 rnd(932);
    for (int i = 0; i < 1000000; ++i) {
        std::string run;
        for (int n = 3 + static_cast<int>(rnd() % 6); n > 0; --n) run += kana[rnd() % kana.size()];
        kanaRuns.Add(run);
        std::string mixed;
        for (int n = 3 + static_cast<int>(rnd() % 6); n > 0; --n) {
            switch (rnd() % 3) {
            case 0: mixed += kanji[rnd() % kanji.size()]; break;
            case 1: mixed += kana[rnd() % kana.size()]; break;
            default: mixed += static_cast<char>('a' + rnd() % 26);
            }
        }
        mixedRuns.Add(mixed);
    }
    const wchar_t* const folderNames[] = {
        L"デスクトップ", L"ドキュメント", L"ダウンロード", L"ピクチャ", L"写真", L"仕事", L"請求書", L"見積書",
        L"議事録", L"企画書", L"2024年度", L"令和6年", L"経理", L"総務部", L"営業資料", L"顧客リスト",
        L"プロジェクト", L"新しいフォルダー", L"作業中", L"バックアップ", L"音楽", L"動画", L"旅行", L"家族",
        L"子供の写真", L"年賀状", L"確定申告", L"給与明細", L"契約書", L"マニュアル", L"ツール", L"ソフト",
        L"表計算", L"能力開発", L"研修資料", L"会議", L"報告書", L"提出用", L"共有", L"個人",
        L"ｶﾀｶﾅ", L"ﾃﾞｰﾀ", L"ｿﾌﾄ", L"ﾊﾞｯｸｱｯﾌﾟ", L"資料ﾌｫﾙﾀﾞ", L"東京支店", L"大阪営業所", L"開発環境",
        L"設計図面", L"完成品", L"未処理", L"済み", L"一時保存", L"送付状", L"請求書_2024年3月", L"Ｃドライブ",
    };
    for (const wchar_t* n : folderNames) {
        const std::string b = sjis.Encode(n).bytes;
        names.Add(b);
        lines.Add("\"" + b + "\",\"C:\\Users\\me\\" + b + "\"\r\n");
    }
    single.Print("JIS X 0208 characters, each alone");
    pairs.Print("JIS X 0208 characters, every pair");
    kanaSingle.Print("half-width katakana, each alone");
    kanaPairs.Print("half-width katakana, every pair");
    kanaRuns.Print("half-width katakana, random runs of 3-8");
    mixedRuns.Print("random runs of 3-8 of kanji/kana, katakana, ASCII");
    names.Print("realistic folder names");
    lines.Print("realistic list lines (\"name\",\"C:\\Users\\me\\name\")");
    return 0;
}
