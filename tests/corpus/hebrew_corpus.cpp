#include "tests/corpus/hebrew_corpus.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "engine/convert_line.h"
#include "engine/cp1255.h"
#include "engine/detection/auto_convert.h"
#include "engine/detection/mojibake.h"
#include "tests/engine/test_settings.h"

namespace quorvandel::test {
namespace {

// Whole sentences, as a reader would meet them.
constexpr std::string_view hebrew_sentences[] = {
    "שלום לכולם, הפגישה נדחתה ליום שלישי בשעה 10:30.",
    "המחיר החדש של המנוי הוא 49 שקלים לחודש.",
    "אנא שלחו את הקובץ בפורמט PDF עד סוף השבוע.",
    "הילדים שיחקו בגן הציבורי עד שהתחיל לרדת גשם.",
    "קיבלתי את ההודעה שלך ואחזור אליך מחר בבוקר.",
    "הרכבת לירושלים יוצאת מהרציף השני כל חצי שעה.",
    "בישיבת הצוות דיברנו על התקציב לשנת 2024.",
    "היא עובדת כמהנדסת תוכנה בחברת Intel בחיפה.",
    "לא הצלחתי להתחבר לשרת, אולי הסיסמה שגויה.",
    "המסעדה החדשה ברחוב הרצל פתוחה גם בשבת.",
    "אחי הגדול לומד רפואה באוניברסיטה העברית.",
    "הספר שקראתי בחופשה היה מרתק מההתחלה ועד הסוף.",
    "יש להגיש את הטופס המלא במשרד הראשי בקומה 3.",
    "מזג האוויר היום נעים, כ-24 מעלות ושמש.",
    "הוא הזמין שני כרטיסים להופעה של הלהקה ביום חמישי.",
    "נא לא לעשן בשטח בית הספר ובחניה.",
    "התוכנית משודרת בערוץ 11 בכל ערב בשמונה.",
    "אמא הכינה מרק עוף וקציצות לארוחת ערב.",
    "הוראות ההתקנה נמצאות בקובץ README שבתיקייה הראשית.",
    "החנות סגורה לרגל ספירת מלאי עד יום ראשון.",
    "הטיסה לניו יורק התעכבה בשעתיים בגלל מזג האוויר.",
    "כתבתי לך מכתב ארוך אבל שכחתי לשלוח אותו.",
    "הבנק הודיע על העלאת הריבית ברבע אחוז.",
    "התלמידים יצאו לטיול שנתי בגליל העליון.",
    "המחשב הנייד שלי ישן מאוד ועובד לאט.",
    "עדכון הגרסה 5.2 מתקן כמה תקלות בהדפסה.",
    "בבקשה לסגור את החלון לפני שאתם יוצאים.",
    "השכנים שלנו עברו לגור בתל אביב לפני שנה.",
    "הכנס השנתי יתקיים בתאריך 12/05/2025 במלון דן.",
    "קניתי לחם, חלב, גבינה וירקות בשוק.",
    "המורה ביקשה מכולם להביא מחברת ועיפרון.",
    "אפשר לשלם בכרטיס אשראי או בהעברה בנקאית.",
    "הפרויקט יסתיים רק בסוף הרבעון הבא.",
    "הנהג עצר בצד הדרך כדי לעזור למשפחה שנתקעה.",
    "ביקרנו במוזיאון ישראל וראינו את מגילות ים המלח.",
    "צריך לגבות את כל הקבצים לפני שמתקינים את Windows מחדש.",
    "החתול ישן כל היום על הספה בסלון.",
    "קבענו להיפגש ליד הכניסה לקניון בשבע וחצי.",
    "מספר הטלפון של המשרד הוא 03-5551234.",
    "העבודה על הדוח לקחה יותר זמן ממה שחשבנו.",
    "הם חגגו את יום ההולדת של סבתא בגינה.",
    "לפי הסקר, רוב התושבים מרוצים מהשירות.",
    "הקוד נכתב בשפת Python ורץ על שרת Linux.",
    "אל תשכחו לכבות את האור כשאתם יוצאים מהחדר.",
    "השיעור הבא יעסוק בהיסטוריה של העם היהודי.",
    "מחר נצא מוקדם כדי להספיק לראות את הזריחה.",
    "המשלוח אמור להגיע תוך שלושה עד חמישה ימי עסקים.",
    "הבית שלהם נמצא בקצה הרחוב, ליד בית הכנסת.",
    "אני מעדיף קפה שחור בלי סוכר בבוקר.",
    "הילדה ציירה פרפר צבעוני ותלתה אותו על הקיר.",
    "השחקן הבקיע שני שערים במחצית הראשונה.",
    "לקוחות יקרים, המוקד יהיה סגור בחג.",
    "התקנתי את האפליקציה אבל היא לא נפתחת.",
    "העיתון פרסם כתבה ארוכה על מחירי הדירות.",
    "חשוב לשתות הרבה מים בימים חמים.",
    "הרופא אמר שצריך לנוח לפחות שבוע.",
    "נשמח לראותכם באירוע ההשקה ביום רביעי הקרוב.",
    "האתר www.example.co.il אינו זמין כרגע.",
    "סבא סיפר לנו סיפורים על ילדותו בכפר.",
    "הסטודנטים התבקשו להגיש עבודה של 20 עמודים.",
    "הקונצרט נערך באמפיתאון שליד הים.",
    "כל המשתתפים קיבלו תעודה ומתנה קטנה.",
    "בחורף שעבר ירד שלג בירושלים ובגולן.",
    "יש לי שאלה לגבי החשבונית האחרונה שקיבלתי.",
    "אנחנו מחפשים עובדים חדשים למחלקת המכירות.",
    "החשמל נפל באמצע הלילה וחזר רק בבוקר.",
    "היא למדה לנגן בפסנתר כבר מגיל שש.",
    "הכביש הראשי ייסגר לתנועה בשל עבודות תשתית.",
    "תודה רבה על העזרה, לא הייתי מצליח בלעדיך.",
    "המבחן בפיזיקה היה קשה יותר ממה שציפינו.",
};

// Words for sentences put together from parts.
constexpr std::string_view subjects[] = {
    "המנהל", "הצוות שלנו", "דני", "מיכל", "השכן מהקומה השנייה", "הלקוח", "המורה לספרות", "אבא שלי",
    "הוועדה", "החברה", "הנציגה", "התלמידים", "יוסי ורותי", "העירייה", "הטכנאי", "הספרנית",
};
constexpr std::string_view verbs[] = {
    "שלח", "ביקש", "מצא", "תיקן", "הכין", "בדק", "פרסם", "הזמין", "קיבל", "סידר", "מכר", "צילם", "כתב", "החליף",
};
constexpr std::string_view objects[] = {
    "את הדוח החודשי", "מכתב תודה", "את המחשב הישן", "ארוחת צהריים", "את החשבון", "הודעה לכל העובדים",
    "את התמונות מהטיול", "את רשימת הקניות", "שולחן חדש", "את ההצעה", "את המפתחות", "את לוח הזמנים",
    "מצגת קצרה", "את הקובץ המצורף", "את המדפסת", "כמה ספרים",
};
constexpr std::string_view endings[] = {
    "אתמול בערב", "לפני שבוע", "בשעה 9:15", "ביום ראשון", "במשרד", "בלי לשאול אף אחד", "מהר ככל האפשר",
    "לפני הפגישה", "בפעם השלישית", "עבור הלקוחות", "בזמן ההפסקה", "למרות הגשם", "ב-2019", "תמורת 120 שקלים",
    "דרך Gmail", "בעזרת Excel",
};

constexpr std::string_view english_sentences[] = {
    "The meeting has been moved to Tuesday at half past ten.",
    "Please send the report in PDF format before Friday.",
    "Our new subscription costs 49 dollars a month.",
    "The children played in the park until it started to rain.",
    "I received your message and will call you back tomorrow.",
    "The train to the airport leaves every thirty minutes.",
    "She works as a software engineer at a large company.",
    "I could not connect to the server; maybe the password is wrong.",
    "The restaurant on Main Street is open on weekends too.",
    "Version 5.2 fixes several printing problems.",
    "Remember to back up your files before you reinstall Windows.",
    "The weather today is pleasant, about 24 degrees and sunny.",
    "Installation instructions are in the README file.",
    "The flight to New York was delayed by two hours.",
    "We bought bread, milk, cheese and vegetables at the market.",
    "You can pay by credit card or by bank transfer.",
    "The phone number of the office is 555-1234.",
    "Thank you very much for your help with the project.",
    "The store will be closed for inventory until Sunday.",
    "Students were asked to submit a paper of twenty pages.",
    "The cat sleeps all day on the living room sofa.",
    "Dear customers, the service desk will be closed for the holiday.",
    "The main road will be closed because of construction work.",
    "He ordered two tickets for the concert on Thursday.",
    "Drink plenty of water on hot days.",
    "The doctor said I should rest for at least a week.",
    "Last winter it snowed in the mountains for three days.",
    "The code is written in Python and runs on a Linux server.",
    "We are looking for new people to join the sales team.",
    "The power went out in the middle of the night.",
    "Grandpa told us stories about his childhood in the village.",
    "The exam in physics was harder than we expected.",
};

// splitmix64: the same numbers on every platform.
class Draw {
 public:
  explicit Draw(std::uint64_t seed) : state_(seed) {}
  std::size_t Below(std::size_t bound) {
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<std::size_t>((z ^ (z >> 31)) % bound);
  }
  template <typename T, std::size_t N>
  std::string_view Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  std::uint64_t state_;
};

Text From_utf8(std::string_view utf8) {
  Text text;
  Append_text_from_utf8(text, utf8);
  return text;
}

std::string Made_sentence(Draw& draw) {
  std::string s(draw.Pick(subjects));
  s += ' ';
  s += draw.Pick(verbs);
  s += ' ';
  s += draw.Pick(objects);
  s += ' ';
  s += draw.Pick(endings);
  s += '.';
  return s;
}

std::vector<Text> Paragraphs(std::size_t count, std::uint64_t seed, bool hebrew) {
  Draw draw(seed);
  std::vector<Text> paragraphs;
  while (paragraphs.size() < count) {
    std::string paragraph;
    const std::size_t sentences = 1 + draw.Below(3);
    for (std::size_t i = 0; i < sentences; ++i) {
      if (i > 0) paragraph += ' ';
      if (!hebrew) {
        paragraph += draw.Pick(english_sentences);
      } else if (draw.Below(2) == 0) {
        paragraph += draw.Pick(hebrew_sentences);
      } else {
        paragraph += Made_sentence(draw);
      }
    }
    paragraphs.push_back(From_utf8(paragraph));
  }
  return paragraphs;
}

// ---- The garblings, each the way back of a repair -----------------------------

Text Converted(Text_view text, const TPrefs& settings) { return Convert_line(text, settings); }

Detection Expected(std::uint8_t set, bool visual = false) {
  Detection d;
  d.judged = true;
  d.source_char_set = set;
  d.visual = visual;
  return d;
}

// Logical 1255 to visual 1255: the repair's own reversals, which undo themselves.
Text To_visual(Text_view logical) {
  auto settings = Default_settings();
  Apply_detection(Expected(cs_windows, true), *settings);
  return Converted(logical, *settings);
}

Text To_set(Text_view logical, std::uint8_t set) {
  auto settings = Default_settings();
  Apply_detection(Expected(cs_windows), *settings);
  settings->dest_props->destination_char_set = set;
  return Converted(logical, *settings);
}

Text As_is(Text_view logical, std::size_t) { return Text(logical); }
Text Visual_1255(Text_view logical, std::size_t) { return To_visual(logical); }
Text Logical_862(Text_view logical, std::size_t) { return To_set(logical, cs_dos); }
Text Visual_862(Text_view logical, std::size_t) { return To_set(To_visual(logical), cs_dos); }
Text Upper(Text_view logical, std::size_t) { return To_set(logical, cs_upper); }
Text Lower(Text_view logical, std::size_t) { return To_set(logical, cs_lower); }
Text Qwerty_upper(Text_view logical, std::size_t) { return To_set(logical, cs_qwerty_upper); }
Text Qwerty_lower(Text_view logical, std::size_t) { return To_set(logical, cs_qwerty_lower); }

void Append_ascii(Text& text, const char* ascii) {
  for (; *ascii != 0; ++ascii) text.push_back(static_cast<Unit>(*ascii));
}

// Every Hebrew letter as a numeric reference, decimal or hexadecimal by variant.
Text Entities(Text_view logical, std::size_t variant) {
  Text text;
  for (const Unit u : logical) {
    if (u < 224 || u > 250) {
      text.push_back(u);
      continue;
    }
    char reference[16];
    std::snprintf(reference, sizeof reference, variant % 2 == 0 ? "&#%u;" : "&#x%X;",
                  static_cast<unsigned>(Unicode_from_unit(u)));
    Append_ascii(text, reference);
  }
  return text;
}

// Every byte above 127, and '=', as a quoted-printable escape.
Text Quoted_printable(Text_view logical, std::size_t) {
  Text text;
  for (const Unit u : logical) {
    if (u < 128 && u != '=') {
      text.push_back(u);
      continue;
    }
    char escape[16];
    std::snprintf(escape, sizeof escape, "=%02X", static_cast<unsigned>(u));
    Append_ascii(text, escape);
  }
  return text;
}

// The UTF-8 of the text read as code page 1252, or kept as bytes.
Text Misread_utf8(Text_view logical, bool as_western) {
  Text text;
  for (const char byte : Utf8_from_text(logical)) {
    const auto b = static_cast<unsigned char>(byte);
    if (!as_western) {
      text.push_back(b);
      continue;
    }
    text.push_back(Unit_from_unicode(detection::Western_character(b)));
  }
  return text;
}
Text Western_1252(Text_view logical, std::size_t) { return Misread_utf8(logical, true); }
Text Raw_utf8(Text_view logical, std::size_t) { return Misread_utf8(logical, false); }

Detection Expected_decoding(bool entities, bool quoted_printable, detection::Mojibake mojibake) {
  Detection d = Expected(cs_windows);
  d.entities = entities;
  d.quoted_printable = quoted_printable;
  d.mojibake = mojibake;
  return d;
}

}  // namespace

std::vector<Text> Hebrew_paragraphs(std::size_t count) { return Paragraphs(count, 15, true); }
std::vector<Text> English_paragraphs(std::size_t count) { return Paragraphs(count, 1515, false); }

std::size_t Hebrew_letter_count(Text_view text) {
  std::size_t letters = 0;
  for (const Unit u : text) letters += u >= 224 && u <= 250;
  return letters;
}

const std::vector<Garbling>& Garblings() {
  using detection::Mojibake;
  static const std::vector<Garbling> garblings = {
      {"logical 1255", Expected(cs_windows), As_is},
      {"visual 1255", Expected(cs_windows, true), Visual_1255},
      {"logical 862", Expected(cs_dos), Logical_862},
      {"visual 862", Expected(cs_dos, true), Visual_862},
      {"English capitals", Expected(cs_upper), Upper},
      {"English small letters", Expected(cs_lower), Lower},
      {"Qwerty capitals", Expected(cs_qwerty_upper), Qwerty_upper},
      {"Qwerty small letters", Expected(cs_qwerty_lower), Qwerty_lower},
      {"numeric references", Expected_decoding(true, false, Mojibake::none), Entities},
      {"quoted-printable", Expected_decoding(false, true, Mojibake::none), Quoted_printable},
      {"UTF-8 read as 1252", Expected_decoding(false, false, Mojibake::western_characters), Western_1252},
      {"UTF-8 read as bytes", Expected_decoding(false, false, Mojibake::raw_bytes), Raw_utf8},
  };
  return garblings;
}

}  // namespace quorvandel::test
