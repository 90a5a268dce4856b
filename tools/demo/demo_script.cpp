// The demo scenario: a spring holiday in a small town, a boy with an old camera, and three
// girls he meets there. It is the whole story of the trial for anyone without the original
// asset file, so every event, photo result, choice set, CG and ending is reached from it.
//
// WALKTHROUGH (places are map numbers: 1 home, 2 Mirel's house, 5 park, 6/7/8 convenience
// stores, 10 supermarket, 13 town street; "day n" is DayCount, day 1 a Monday, day 7 a Sunday)
//
// Day 0  New game: "*OP" (CG 4) ends at the store by home (6) and the first photo follows
//        (event 11). Result 1 "*pan_1_1"; 2 and 3 "*pan_2"/"*pan_3" ask "もう一度撮る？":
//        option 1 deals again for 10 points, option 2 gives up (event 11 stays open at
//        place 6); 4 "*pan_4"; 5 "*pan_5" (the store is closed for four days). All of them
//        return to the map. A store photo that succeeds opens the next store: 6 -> 7
//        (event 12) -> 8 (event 13). An open store plays "*pan_1": option 1 "撮る" takes
//        the photo, option 2 leaves.
// Mirel (heroine 1) is never there on Sundays, and each of her scenes ends her day:
//   day 1  supermarket (10): event 1, the oranges (CG 1).
//   day 2  town street (13): event 2, her name; a photo. Success: "*mirel_2_1", choice set 6
//          (the prompt and captions are the lines after its argument): 11 "買い物へ" -> event 3,
//          12 "お茶に" -> event 4, 13 "公園へ" -> event 5, 14 "送る" -> event 6, 18 "昔" (the
//          bottom-right corner, where the page button sits) -> event 10's number: event 1
//          replayed as a memory. That memory finishes event 10, so Orika's street scene is
//          gone for the rest of that game. Options 15 and 16 need a gauge nothing raises, so
//          they get no caption.
//          Any other result: "*pan_10_<r>", and event 2 counts as done all the same.
//   day 3  supermarket: event 3, her shopping; a photo; the event leaves you at her house and
//          opens it on the map. Success: "*mirel_3_1", choice set 3: 11 "上がる" -> event 4,
//          12 "公園へ" -> event 5, 13 "話す" -> event 6, 18 "昔" -> event 1 as a memory (event
//          11's number; it marks the first store photo done).
//   day 4  she waits two days after event 3: meet Sanu (park) or Orika (town street).
//   day 5  her house (2): event 4, tea and her photo in the garden (CG 5).
//   day 6  park (5): event 5, the cherry trees.
//   day 7  Sunday: no Mirel.
//   day 8  supermarket: event 7 (never on Saturday or Sunday), the promise for tomorrow.
//          (Her house before that plays the optional event 6; event 7 closes it.)
//   day 9  her house: event 8, the riverside (CG 8), "*end": "続きは本編でお楽しみ下さい。"
//   Skip the day after event 7 and event 8 is gone; the next visit to her house plays
//   event 14, "*mir_b_end" (the station), "*end": "BAD　END・・・再挑戦してね。"
//   A jump that plays event 5 before event 4 leaves event 4 waiting at her house; she says
//   "come to the house tomorrow", which plays it before event 7 can come.
// Sanu (heroine 2), park, never on Fridays: event 9, the bridge (CG 2, again with
//   "<CG_text>"), her photo (CG 6).
// Orika (heroine 3), town street, not when DayCount is a multiple of 3 (and only when Mirel's
//   event 2 is not due there): event 10 "*orika_1" -> "*ending" -> event 12 "*orika_2" at the
//   café, choice set 2: option 1 "オリカを撮る" -> event 13 "*orika_3" at the riverside
//   (set 2 again: 1 "撮る" takes the photo, 2 "やめておく" leaves; success "*orika_3_1",
//   CG 7), option 2 "屋上に行く" -> event 14 "*orika_4", the roof at night (CG 3, then CG 7).
//   A photo result 4 or 5 sends her away for three days. Her street scene stays open, so
//   she can be met again.
//
// The pictures are the demo's own: CG 1 Mirel under the cherry tree, 2 Sanu on the bridge
// (pans up), 3 Orika on the roof under the stars (pans down), 4 the three girls on the
// shopping street, 5/6/7 snapshots of Mirel, Sanu and Orika, 8 Mirel at the river with a
// photo in her hand; scenes 9 the station, 10 the riverside, 11 the café. Faces: 1 smile,
// 2 happy, 3 surprised, 4 sad, 5 pouting, 6 shy, 7 troubled (not Sanu), 8 wink (Orika);
// a frame above 8 counts from 1 again (Mirel's 10 is happy, Sanu's 11 surprised).

#include <initializer_list>
#include <string>
#include <string_view>

#include "tools/demo/demo_content.h"

namespace velmora {

namespace {

// Where the choice panel of sets 3 and 6 reacts: the upper row on the window's second text
// line, and the closing option 18 at the lower right, on the third. The panel writes the
// three lines after the set's argument there as they are, so each caption has to stand over
// its own area.
struct OptionArea {
  int Left;   // screen x, inclusive
  int Right;  // screen x, inclusive
};
constexpr OptionArea kUpperRow[4] = {{63, 143}, {173, 253}, {283, 363}, {393, 473}};
constexpr OptionArea kClosingOption[1] = {{447, 479}};
// A text line starts at x 35 in the town frame; the 12-point game font is 8 pixels a half-width
// character and 16 a full-width one.
constexpr int kTextX = 35;
constexpr int kColumnWidth = 8;

// Half-width columns of a UTF-8 text once it is Shift-JIS: ASCII takes one, the rest two.
int Columns(std::string_view utf8) {
  int columns = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) columns += 1;
    else if ((byte & 0xC0) != 0x80) columns += 2;  // the first byte of a multi-byte character
  }
  return columns;
}

// A caption line of a set-3 or set-6 choice: each caption centred over its option area,
// padded with blanks, so the words stand where the clicks land.
std::string OptionLine(const OptionArea* area, std::initializer_list<std::string_view> captions) {
  std::string line;
  int column = 0;
  for (const std::string_view caption : captions) {
    const int width = Columns(caption);
    const int centre = (area->Left + area->Right + 1) / 2;
    int start = (centre - width * kColumnWidth / 2 - kTextX + kColumnWidth / 2) / kColumnWidth;
    while (kTextX + start * kColumnWidth < area->Left) ++start;
    line.append(static_cast<size_t>(start - column), ' ');
    line += caption;
    column = start + width;
    ++area;
  }
  return line + "\n";
}

// The lines after "<Sentaku>" and the set's argument: the prompt, the upper row's captions
// and, in the corner where the page button stood, option 18, the day the two first met.
std::string OptionPanel(std::string_view prompt, std::initializer_list<std::string_view> upperRow) {
  return std::string(prompt) + "\n" + OptionLine(kUpperRow, upperRow) + OptionLine(kClosingOption, {"昔"});
}

constexpr std::string_view kOpening = R"(*OP
BL
今でも時々、この写真を見返す。
高校二年になる前の、春休みに撮った一枚だ。
<CG>
4
商店街で、三人の女の子が笑っている。
この一枚を撮るまでのことを、少し話そうと思う。
<B>
1
春休みの初日。
押し入れの奥から、古いデジカメが出てきた。
父さんが昔、商店街の写真館で買ったものらしい。
電池を替えたら、ちゃんと動いた。
「よし。この休みの間に、町の写真を撮ってみるか」
<B>
6
家からいちばん近いコンビニ。
店先のベンチで、猫が丸くなっている。
まずは一枚、撮ってみよう。
*next_ba
)";

// Events 11 to 13, the three stores, all start here; their results follow.
constexpr std::string_view kStores = R"(*pan_1
<B>
6
コンビニの前に来た。
ここなら、何か撮れそうな気がする。
<Sentaku>
2
ここで一枚、撮ってみる？
撮る
やめておく
（カメラを構えた）
<Game>
*pan_1_1
撮影成功！
ベンチの猫が、こっちを向いてあくびをした。
なかなかいい一枚だ。幸先がいいぞ。
*next_ba
*pan_2_1
撮影成功！
ガラス窓に映った春の空と、店の看板。
狙いどおりの一枚が撮れた。
*next_ba
*pan_3_1
撮影成功！
駐車場の桜の花びらが、風で舞い上がった。
その一瞬を、ちゃんと捕まえた。
*next_ba
*pan_2
惜しい！　シャッターが一瞬遅かった。
もう少しで、いい一枚になったのに。
<Sentaku>
2
もう一度撮る？（10ポイント）
もう一度撮る
あきらめる
（カメラを構え直した）
<Game>
*pan_3
あれ？　ピントが奥の看板に合ってしまった。
構図は悪くなかったんだけどな。
<Sentaku>
2
もう一度撮る？（10ポイント）
もう一度撮る
あきらめる
（カメラを構え直した）
<Game>
*pan_4
レンズキャップを付けたまま撮っていた。
……今日はもう、やめておこう。
*next_ba
*pan_5
夢中で撮っていたら、店長さんに声をかけられた。
「お客さん、店の中は撮影禁止なんですよ」
……しばらく、この店には来づらいな。
*next_ba
)";

// A heroine's photo that fails, whoever she is; "彼女" keeps it right for each of them.
constexpr std::string_view kHeroinePhotoFailures = R"(*pan_10_2
シャッターを切った瞬間、彼女がまばたきをした。
「あっ、今の目つぶってたでしょ。……まあいいや。
　また今度、ちゃんと撮ってね」
*next_ba
*pan_10_3
ピントが、彼女の後ろの景色に合ってしまった。
「ちょっと、主役はこっちでしょ？」
笑われてしまった。次こそは、ちゃんと撮ろう。
*next_ba
*pan_10_4
レンズキャップを付けたまま撮っていた。
「……ねえ。本気で撮る気、ある？」
すっかりあきれられてしまった。
*next_ba
*pan_10_5
後ずさりしたとたん、思いきりしりもちをついた。
カメラは無事だったけど、まわりの人に笑われた。
……しばらく、ここには来づらいな。
*next_ba
)";

// Event 1; a memory of it is also where option 18 of her choices leads.
constexpr std::string_view kMirelMeeting = R"(*mirel_1
<B>
7
スーパーの果物売り場。
<Aite_f>
3
「あっ」
女の子の腕から、オレンジの袋が滑り落ちた。
床に転がったオレンジを、二人で拾い集める。
<f_Change>
6
「ご、ごめんなさい。ありがとう」
見かけない子だ。同い年くらいだろうか。
<f_Change>
3
「それ……カメラ？」
彼女は、僕の首から下がったカメラを見つめた。
<CG>
1
店の前の桜の下で、彼女はようやく笑った。
「拾ってくれて、ありがとう。……またね」
彼女は、軽い足取りで商店街の方へ歩いていった。
*next_time
)";

constexpr std::string_view kMirelName = R"(*mirel_2
<B>
8
商店街のはずれに、シャッターの下りた店がある。
看板には「ひだまり写真館」の文字。
その前に、あの日の女の子が立っていた。
<Aite_f>
3
「あ……この前の、オレンジの人」
<f_Change>
2
「わたし、ミレル。春休みの間だけ、
　おばあちゃんの家に来てるの」
「毎日、スーパーにお使いに行ってるんだ」
<f_Change>
1
「ここ、おじいちゃんのお店だったんだ。
　もう何年も前に、閉めちゃったけど」
僕はカメラの裏の、古いシールを見せた。
<f_Change>
3
シールには「ひだまり写真館」とある。
「ほんとだ……！　うちのお店のシール！」
<f_Change>
2
「ねえ、そのカメラで、わたしを撮ってみて。
　おじいちゃんのお店の前で」
<Game>
)";

// After event 2's photo: where the afternoon goes (set 6; the events it jumps to are 3 to 6).
std::string MirelNamePhoto() {
  return std::string(R"(*mirel_2_1
<Aite_f>
2
「撮れた？　見せて見せて」
画面の中で、ミレルが照れくさそうに笑っている。
<f_Change>
6
「……うん。おじいちゃんが撮ったみたい」
<f_Change>
1
<Sentaku>
6
)") + OptionPanel("「このあと、どうしよっか」", {"買い物へ", "お茶に", "公園へ", "送る"});
}

constexpr std::string_view kMirelShopping = R"(*mirel_3
<B>
7
<Aite_f>
1
「おばあちゃんに、買い物を頼まれてるの」
ミレルのかごには、野菜と牛乳とお米が五キロ。
<f_Change>
7
「……ちょっと、多すぎたかも」
「持つよ。家まで運ぼうか」
<f_Change>
2
「ほんと？　助かる！」
レジを抜けて、二人で店の外に出た。
春の日差しが、買い物袋を照らしている。
<f_Change>
6
「そうだ。運んでもらうお礼に、撮らせてあげる。
　荷物を持ってるところなんて、変かな？」
<Game>
)";

// After event 3's photo, at her gate (set 3; the events it jumps to are 4 to 6).
std::string MirelShoppingPhoto() {
  return std::string(R"(*mirel_3_1
<Aite_f>
2
「わ、いい顔してる。荷物持ちの写真なのに」
ミレルは画面をのぞきこんで、くすくす笑った。
<B>
2
坂道を上って、ミレルのおばあちゃんの家に着いた。
<Aite_f>
1
「ありがとう。ここが、おばあちゃんの家」
<f_Change>
2
<Sentaku>
3
)") + OptionPanel("「ねえ、このあとどうする？」", {"上がる", "公園へ", "話す"});
}

// Events 4 to 6 are also reached by the two choices above, so none of them leans on another.
// A framed snapshot (CG 5, 6, 7) gets a blank page of its own: the game writes no window over
// it, so the words wait for the plain backdrop that "BL" brings.
constexpr std::string_view kMirelVisits = R"(*mirel_4
<B>
2
ミレルのおばあちゃんの家。
縁側に通されて、お茶とおまんじゅうが出てきた。
<Aite_f>
2
「おばあちゃん、お茶いれるの上手なんだよ」
<f_Change>
1
ミレルは奥の部屋から、古いアルバムを持ってきた。
満開の桜の下で、若いおじいさんとおばあさんが
並んで笑っている写真が、何枚も貼ってある。
<f_Change>
6
「ねえ。庭の桜の前で、わたしも撮ってくれる？」
<CG>
5
　
BL
画面の中で、ミレルが桜を背に笑っている。
「うん。おじいちゃんの写真みたい」
「そうだ、公園の桜も、もうすぐ満開なんだって」
夕方まで、縁側でアルバムをめくって過ごした。
*next_time
*mirel_5
<B>
5
公園の桜が、ちょうど満開になっていた。
風が吹くたびに、花びらがはらはらと降ってくる。
<Aite_f>
2
「すごい……！　おばあちゃんの言ってたとおりだ」
<f_Change>
4
「わたしね、春休みが終わったら帰らなきゃ。
　遠い町だから、次はいつ来られるかわからない」
<f_Change>
1
「だから、今のうちにいっぱい見ておくんだ」
二人で並んで、しばらく桜を見上げていた。
<f_Change>
2
「明日は、おばあちゃんの家に遊びに来てね」
*next_time
*mirel_6
<B>
2
ミレルの家の門の前。
ミレルはじょうろを持って、花に水をやっていた。
<Aite_f>
2
「いらっしゃい。もうすぐ終わるから、待ってて」
<f_Change>
1
「ねえ、どうして写真を撮ってるの？」
「……なんとなく、かな。この町、好きだから」
<f_Change>
6
「そっか。わたしも、この町好きだよ。
　来るたびに、ちょっとずつ好きになる」
<f_Change>
2
「わたし、買い物はいつもあのスーパーなの。
　見かけたら、声かけてね」
*next_time
)";

constexpr std::string_view kMirelPromise = R"(*mirel_7
<B>
7
<Aite_f>
2
「あ、ちょうどよかった。探してたんだ」
ミレルのかごには、ケーキの材料が入っている。
<f_Change>
4
「わたし、あさっての朝の電車で帰るの。
　明日の夜は、おばあちゃんとお別れ会」
<f_Change>
6
「……その前に、うちに来てくれる？
　最後に、一緒に撮りたい写真があるの」
<f_Change>
2
「約束だよ。明日、うちで待ってるから」
*next_time
)";

// Event 8 closes the route with the trial's own ending line.
constexpr std::string_view kMirelLastDay = R"(*mirel_8
<B>
2
門の前で、ミレルが待っていた。
手には、大きくて古いカメラを抱えている。
<Aite_f>
2
「来てくれた！　……ほんとに、来てくれた」
<f_Change>
1
「これ、おじいちゃんのカメラ。
　撮ったその場で、写真が出てくるんだよ」
「夕方になったら、川で一緒に撮ろう」
<B>
10
夕方の川べり。水面が、夕日で赤く光っている。
<Aite_f>
6
「ここなら、町も桜も、ぜんぶ入るね」
<f_Change>
10
「タイマー、セットした？　ほら、早く早く！」
カシャッ。
<CG>
8
浮かんできた写真を、ミレルは夕日にかざした。
並んで笑う二人と、満開の桜が写っている。
「……うん。この春で、いちばんの写真」
<Aite_h>
4
「夏休みになったら、また来るね。
　そのときは、もっと上手に撮ってよ？」
<B>
14
ミレルは次の朝、電車で帰っていった。
僕のカメラには、この春の町が残っている。
夏が来るのが、少しだけ待ち遠しい。
*end
)";

// Event 14: the day after the promise was missed. No heroine is the partner here.
constexpr std::string_view kMirelMissed = R"(*mir_b_end
<B>
2
ミレルの家の前で、おばあさんが門を掃いていた。
「おや、あんたかい。
　ミレルなら、今朝の電車で帰ったよ」
「昨日はずっと、門の前で待ってたんだけどねえ」
<B>
9
気がつくと、駅まで走っていた。
遠くの線路を、電車が小さくなっていく。
……約束、守れなかったな。
<B>
14
ポケットの中で、カメラがやけに重かった。
*end
)";

constexpr std::string_view kSanu = R"(*sanu_1
<B>
5
公園のベンチで、女の子が絵を描いていた。
<Aite_h>
3
鉛筆が、ころりと足元に転がってきた。
拾って差し出すと、彼女は小さく頭を下げた。
<f_Change>
6
「……ありがとう、ございます」
「サヌです。毎日、どこかで絵を描いてて……」
<f_Change>
11
「あ、カメラ……写真、撮るんですか」
「夕方の橋が、きれいなんです。……来ますか？」
<B>
10
夕方、サヌに連れられて、川にかかる橋まで歩いた。
<CG>
2
橋の上で、サヌは川と空をじっと見つめている。
「写真は、一瞬をとじこめますよね。
　絵は、描いている時間ごと、とじこめるんです」
<Aite_f>
1
「……ひとつ、お願いしてもいいですか」
「わたしを、撮ってください。絵の参考にしたくて」
<CG_text>
2
夕日が沈むまで、サヌは橋の上で絵を描いた。
僕はその横で、何度かシャッターを切った。
<CG>
6
　
BL
画面の中のサヌは、楽しそうに笑っていた。
「……絵ができたら、見てくださいね」
*next_ba
)";

// Orika's chain: "*ending" moves her event 10 on to 12; set 2 then jumps to 13 or 14.
constexpr std::string_view kOrika = R"(*orika_1
<B>
8
商店街の角で、女の子が地面すれすれに
しゃがみこんで、カメラを構えていた。
同じ学校の写真部、オリカだ。
<Aite_f>
3
「うわっ、びっくりした。……なんだ、あんたか」
<f_Change>
8
「へえ、けっこういいカメラじゃん」
「ちょうどいいや。ちょっと付き合ってよ」
*ending
*orika_2
<B>
11
連れてこられたのは、商店街の喫茶店だった。
オリカはクリームソーダを頼んで、身を乗り出した。
<Aite_f>
1
「写真部の春の展示、テーマが『春の夜』なの。
　でも、なかなかいいのが撮れなくてさ」
<f_Change>
2
「で、どうする？　付き合ってくれるんでしょ？」
<Sentaku>
2
「あたしを撮る？　それとも、屋上に行く？」
オリカを撮る
屋上に行く
*orika_3
<B>
10
夕方まで待って、川沿いの土手に出た。
水面が、夕日で赤く光っている。
<Aite_f>
8
「いいよ。ただし、一回勝負ね」
「失敗したら、アイスおごり。いい？」
<Sentaku>
2
本当に撮る？
撮る
やめておく
（深呼吸して、カメラを構えた）
<Game>
*orika_3_1
<Aite_f>
3
「……え、うそ。ちょっと見せて」
<CG>
7
　
BL
夕日の中で、オリカがウインクしている。
シャッターの瞬間を、完全に読まれていた。
「……やるじゃん。アイスは、あたしのおごりね」
*next_ba
*orika_4
<B>
8
オリカの家は、商店街のビルの上にあった。
「屋上、ついてきて。暗くなるまで待つよ」
<CG>
3
日が暮れて、空にいくつも星が出てきた。
屋上の明かりの下で、オリカがカメラを構えている。
「見て。町の明かりと星、いっしょに撮れるんだ」
「この場所を教えたの、あんたが初めてだから。
　……部のみんなには、内緒ね」
しばらく二人で、黙って夜の町を眺めていた。
帰りぎわ、オリカが一枚の写真をくれた。
<CG>
7
　
BL
「展示に出さなかったやつ。……大事にしてよね」
夕日の土手で撮った、オリカ自身の写真だった。
*next_time
)";

}  // namespace

std::string DemoScript() {
  std::string script(kOpening);
  script += kStores;
  script += kHeroinePhotoFailures;
  script += kMirelMeeting;
  script += kMirelName;
  script += MirelNamePhoto();
  script += kMirelShopping;
  script += MirelShoppingPhoto();
  script += kMirelVisits;
  script += kMirelPromise;
  script += kMirelLastDay;
  script += kMirelMissed;
  script += kSanu;
  script += kOrika;
  return script;
}

}  // namespace velmora
