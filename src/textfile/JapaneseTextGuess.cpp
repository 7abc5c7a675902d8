#include "textfile/JapaneseTextGuess.h"

#include "textfile/EucJpCodec.h"
#include "textfile/Iso2022JpDecoder.h"
#include "textfile/TextCodec.h"

#include <QString>

#include <bitset>

namespace zorvane {

namespace {

constexpr char16_t Replacement = 0xFFFD;

// How well the bytes read in one encoding: bytes that form no character, and how much the
// characters look like Japanese prose (higher is more).
struct Reading {
    qsizetype invalid = 0;
    qsizetype likeness = 0;
};

// About 1,300 kanji that make up most of the kanji of everyday Japanese text, commonest first.
// Bytes of another encoding read as kanji land on any of the 6,000 JIS kanji, mostly rare ones.
constexpr char16_t CommonKanjiList[] =
    u"日一国会人年大十二本中長出三同時政事自行社見月分議後前民生連"
    u"五発間対上部東者党地合市業内相方四定今回新場金員九入選立開手"
    u"米力学問高代明実円関決子動京全目表戦経通外最言氏現理調体化田"
    u"当八六約主題下首意法不来作性的要用制治度務強気小七成期公持野"
    u"協取都和統以機平総加山思家話世受区領多県続進正安設保改数記院"
    u"女初北午指権心界支第産結百派点教報済書府活原先共得解名交資予"
    u"川向際査勝面委告軍文反元重近千考判認画海参売利組知案道信策集"
    u"在件団別物側任引使求所次水半品昨論計死官増係感特情投示変打男"
    u"基私各始島直両朝革価式確村提運終挙果西勢減台広容必応演電歳住"
    u"争談能無再位置企真流格有疑口過局少放税検藤町常校料沢裁状工建"
    u"語球営空職証土与急止送援供可役構木割聞身費付施切由説転食比難"
    u"防補車優夫研収断井何南石足違消境神番規術護展態導鮮備宅害配副"
    u"算視条幹独警宮究育席輸訪楽起万着乗店述残想線率病農州武声質念"
    u"待試族象銀域助労例衛然早張映限親額監環験追審商葉義伝働形景落"
    u"欧担好退準賞訴辺造英被株頭技低毎医復仕去姿味負閣韓渡失移差衆"
    u"個門写評課末守若脳極種美岡影命含福蔵量望松非撃佐核観察整段横"
    u"融型白深字答夜製票況音申様財港識注呼渉達良響阪帰針専推谷古候"
    u"史天階程満敗管値歌買突兵接請器士光討路悪科攻崎督授催細効図週"
    u"積丸他及湾録処省旧室憲太橋歩離岸客風紙激否周師摘材登系批郎母"
    u"易健黒火戸速存花春飛殺央券赤号単盟座青破編捜竹除完降超責並療"
    u"従右修捕隊危採織森競拡故館振給屋介読弁根色友苦就迎走販園具左"
    u"異歴辞将秋因献厳馬愛幅休維富浜父遺彼般未塁貿講邦舞林装諸夏素"
    u"亡劇河遣航抗冷模雄適婦鉄寄益込顔緊類児余禁印逆王返標換久短油"
    u"妻暴輪占宣背昭廃植熱宿薬伊江清習険頼僚覚吉盛船倍均億途圧芸許"
    u"皇臨踏駅署抜壊債便伸留罪停興爆陸玉源儀波創障継筋狙帯延羽努固"
    u"闘精則葬乱避普散司康測豊洋静善逮婚厚喜齢囲卒迫略承浮惑崩順紀"
    u"聴脱旅絶級幸岩練押軽倒了庁博城患締等救執層版老令角絡損房募曲"
    u"撤裏払削密庭徒措仏績築貨志混載昇池陣我勤為血遅抑幕居染温雑招"
    u"奈季困星傷永択秀著徴誌庫弾償刊像功拠香欠更秘拒刑坂刻底賛塚致"
    u"抱繰服犯尾描布恐寺鈴盤息宇項喪伴遠養懸戻街巨震願絵希越契掲躍"
    u"棄欲痛触邸依籍汚縮還枚属笑互複慮郵束仲栄札枠似夕恵板列露沖探"
    u"逃借緩節需骨射傾届曜遊迷夢巻購揮君燃充雨閉緒跡包駐貢鹿弱却端"
    u"賃折紹獲郡併草徹飲貴埼衝焦奪雇災浦暮替析預焼簡譲称肉納樹挑章"
    u"臓律誘紛貸至宗促慎控贈智握照宙酒俊銭薄堂渋群銃悲秒操携奥診詰"
    u"託晴撮誕侵括掛謝双孝刺到駆寝透津壁稲仮暗裂敏鳥純是飯排裕堅訳"
    u"盗芝綱吸典賀扱顧弘看訟戒祉誉歓勉奏勧騒翌陽閥甲快縄片郷敬揺免"
    u"既薦隣悩華泉御範隠冬徳皮哲漁杉里釈己荒貯硬妥威豪熊歯滞微隆埋"
    u"症暫忠倉昼茶彦肝柱喚沿妙唱祭袋阿索誠忘襲雪筆吹訓懇浴俳童宝柄"
    u"驚麻封胸娘砂李塩浩誤剤瀬趣陥斎貫仙慰賢序弟旬腕兼聖旨即洗柳舎"
    u"偽較覇兆床畑慣詳毛緑尊抵脅祝礼窓柔茂犠旗距雅飾網竜詩昔繁殿濃"
    u"翼牛茨潟敵魅嫌魚斉液貧敷擁衣肩圏零酸兄罰怒滅泳礎腐祖幼脚菱荷"
    u"潮梅泊尽杯僕桜滑孤黄煕炎賠句寿鋼頑甘臣鎖彩摩浅励掃雲掘縦輝蓄"
    u"軸巡疲稼瞬捨皆砲軟噴沈誇祥牲秩帝宏唆鳴阻泰賄撲凍堀腹菊絞乳煙"
    u"縁唯膨矢耐恋塾漏紅慶猛芳懲郊剣腰炭踊幌彰棋丁冊恒眠揚冒之勇曽"
    u"械倫陳憶怖犬菜耳潜珍";

bool isCommonKanji(char16_t unit) {
    static const std::bitset<65536> common = [] {
        std::bitset<65536> set;
        for (const char16_t kanji : CommonKanjiList)
            set.set(kanji);
        set.reset(0);
        return set;
    }();
    return common.test(unit);
}

bool isCp932Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The weights are rough log-odds of a character in Japanese text, where two bytes read as one
// half-width katakana each weigh 2 in all. In EUC-JP hiragana (row 0xA4), katakana (0xA5) and
// punctuation (0xA1) fill half of any prose; common kanji beat two half-width katakana, other
// level-1 kanji (0xB0–0xCF) match them, level-2 kanji less so; Greek, Cyrillic and box drawing
// are rare, the extension rows, half-width katakana (0x8E) and JIS X 0212 (0x8F) rarer still.
int eucPairWeight(unsigned char first, char16_t unit) {
    switch (first) {
    case 0xA4:
        return 4;
    case 0xA1:
    case 0xA5:
        return 3;
    case 0xA3:
        return 1;
    case 0xA2:
        return 0;
    default:
        break;
    }
    if (first >= 0xA6 && first <= 0xA8)
        return -2;
    if (first >= 0xB0 && first <= 0xF4 && isCommonKanji(unit))
        return 3;
    if (first >= 0xB0 && first <= 0xCF)
        return 2;
    if (first >= 0xD0 && first <= 0xF4)
        return 0;
    return -3;
}

Reading readAsEucJp(QByteArrayView bytes, bool wholeFile) {
    const QByteArrayView complete =
        wholeFile ? bytes : bytes.first(EucJpCodec::completeLength(bytes));
    const auto* data = reinterpret_cast<const unsigned char*>(complete.data());
    const qsizetype size = complete.size();
    Reading reading;
    qsizetype i = 0;
    while (i < size) {
        const unsigned char byte = data[i];
        if (byte < 0x80) {
            ++i;
            continue;
        }
        const qsizetype left = size - i;
        if (byte == 0x8E && left >= 2 && data[i + 1] >= 0xA1 && data[i + 1] <= 0xDF) {
            reading.likeness -= 2;
            i += 2;
        } else if (byte == 0x8F && left >= 3 && EucJpCodec::jisX0212(data[i + 1], data[i + 2])) {
            // JIS X 0212 is mostly rare kanji, but its accented Latin letters (rows 0xA9–0xAB)
            // spell European names inside ASCII words.
            const bool latin = data[i + 1] >= 0xA9 && data[i + 1] <= 0xAB;
            const bool inWord = (i > 0 && QChar::isLetter(data[i - 1]) && data[i - 1] < 0x80) ||
                                (left > 3 && QChar::isLetter(data[i + 3]) && data[i + 3] < 0x80);
            reading.likeness += latin ? (inWord ? 5 : 1) : -3;
            i += 3;
        } else if (const char16_t unit = left >= 2 ? EucJpCodec::jisX0208(byte, data[i + 1]) : 0) {
            reading.likeness += eucPairWeight(byte, unit);
            i += 2;
        } else {
            ++reading.invalid;
            ++i;
        }
    }
    return reading;
}

bool isHalfWidthKana(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xDF;
}

// A half-width katakana after `previous` (0 when the one before was none): real katakana put
// the voiced marks after the kana that take them, which random bytes seldom do, and never start
// a word with a small kana, the long vowel mark or ン.
int halfWidthWeight(unsigned char byte, unsigned char previous) {
    const bool afterKana = previous >= 0xA6;
    const bool takesVoicing = previous == 0xB3 || (previous >= 0xB6 && previous <= 0xC4) ||
                              (previous >= 0xCA && previous <= 0xCE);
    if (byte == 0xDE)
        return takesVoicing ? 4 : -3;
    if (byte == 0xDF)
        return previous >= 0xCA && previous <= 0xCE ? 4 : -3;
    if ((byte >= 0xA7 && byte <= 0xB0) || byte == 0xDD)
        return afterKana ? 1 : -2;
    return 1;
}

// Code page 932 read through the program's own decoder, which gives one unit per character and
// U+FFFD for each byte that starts none, so the bytes and the units can be walked together.
Reading readAsCp932(QByteArrayView bytes, bool wholeFile) {
    const QByteArrayView complete =
        wholeFile ? bytes : bytes.first(TextCodec::completeLength(bytes, TextEncoding::Cp932));
    const QString text = TextCodec::decodeText(complete, TextEncoding::Cp932, LeadingMark::Keep);
    const auto* data = reinterpret_cast<const unsigned char*>(complete.data());
    Reading reading;
    qsizetype i = 0;
    unsigned char previous = 0;
    for (const QChar c : text) {
        const unsigned char byte = data[i];
        if (c.unicode() == Replacement) {
            ++reading.invalid;
            previous = 0;
            ++i;
            continue;
        }
        if (!isCp932Lead(byte)) {
            // ASCII counts for neither reading.
            if (isHalfWidthKana(byte))
                reading.likeness += halfWidthWeight(byte, previous);
            previous = isHalfWidthKana(byte) ? byte : 0;
            ++i;
            continue;
        }
        // Kanji as in EUC-JP; the NEC and IBM extensions and the user-defined area are rare.
        if (byte <= 0xEA && isCommonKanji(c.unicode()))
            reading.likeness += 3;
        else if (byte <= 0x9F)
            reading.likeness += 2;
        else if (byte >= 0xED && byte <= 0xEE)
            reading.likeness -= 2;
        else if (byte >= 0xF0 && byte <= 0xF9)
            reading.likeness -= 4;
        else if (byte >= 0xFA)
            reading.likeness -= 2;
        previous = 0;
        i += 2;
    }
    return reading;
}

ContentEncoding fromTextEncoding(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Cp932:
        break;
    case TextEncoding::Utf8:
        return ContentEncoding::Utf8;
    case TextEncoding::Utf16LE:
        return ContentEncoding::Utf16LE;
    case TextEncoding::Utf16BE:
        return ContentEncoding::Utf16BE;
    }
    return ContentEncoding::Cp932;
}

// How much valid UTF-8 without a mark reads like text when every character takes two bytes:
// the letters of European scripts do, IPA, modifier letters, combining marks and the C1 controls
// do not, and such bytes are also EUC-JP kanji and kana.
qsizetype twoByteUtf8Likeness(QByteArrayView bytes, bool* onlyTwoByte) {
    const QString text = TextCodec::decodeText(bytes, TextEncoding::Utf8, LeadingMark::Keep);
    qsizetype likeness = 0;
    *onlyTwoByte = true;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit < 0x80 || unit == Replacement)
            continue;
        if (unit >= 0x800) {
            *onlyTwoByte = false;
            return 0;
        }
        const bool letters = (unit >= 0xC0 && unit <= 0x17F) || (unit >= 0x370 && unit <= 0x6FF);
        likeness += letters ? 3 : -2;
    }
    return likeness;
}

bool isSevenBit(QByteArrayView bytes) {
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    return true;
}

} // namespace

ContentEncoding JapaneseTextGuess::guess(QByteArrayView head, bool wholeFile) {
    const TextEncoding settled = TextCodec::detectEncoding(head);
    if (settled == TextEncoding::Utf8 && TextCodec::byteOrderMarkLength(head) == 0) {
        bool onlyTwoByte = false;
        const qsizetype utf8 = twoByteUtf8Likeness(head, &onlyTwoByte);
        if (onlyTwoByte) {
            const Reading eucJp = readAsEucJp(head, wholeFile);
            if (eucJp.invalid == 0 && eucJp.likeness > utf8)
                return ContentEncoding::EucJp;
        }
    }
    if (settled != TextEncoding::Cp932)
        return fromTextEncoding(settled);
    if (isSevenBit(head))
        return Iso2022JpDecoder::selectsJapanese(head) ? ContentEncoding::Iso2022Jp
                                                       : ContentEncoding::Cp932;
    const Reading cp932 = readAsCp932(head, wholeFile);
    const Reading eucJp = readAsEucJp(head, wholeFile);
    if (eucJp.invalid != cp932.invalid)
        return eucJp.invalid < cp932.invalid ? ContentEncoding::EucJp : ContentEncoding::Cp932;
    return eucJp.likeness > cp932.likeness ? ContentEncoding::EucJp : ContentEncoding::Cp932;
}

} // namespace zorvane
