// Hebrew and English words through libhunspell and Debian's hunspell-he and
// hunspell-en-us. Reading the whole Hebrew word list takes seconds, far more
// than converting a few words should, so a language is first asked word by
// word: hunspell gets the full affix rules and only the lines of the word
// list that can make the word asked, and answers as it would with the whole
// list. After many words, or from the start in the desktop program (in the
// background), the whole list is read once; a process that never asks (a
// long file converted) reads nothing.
#include "spelling/hunspell_dictionary.h"

#include <fcntl.h>
#include <hunspell.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "spelling/system_dictionary.h"

namespace quorvandel {
namespace {

// Words asked one by one before the whole list is read instead: scanning
// the Hebrew list for one word's lines takes a few milliseconds.
constexpr std::size_t word_by_word_limit = 64;

std::vector<std::filesystem::path> Dictionary_folders() {
  std::vector<std::filesystem::path> folders;
  if (const char* dicpath = std::getenv("DICPATH")) {
    const std::string list(dicpath);
    std::size_t start = 0;
    while (start <= list.size()) {
      const std::size_t end = std::min(list.find(':', start), list.size());
      if (end > start) folders.emplace_back(list.substr(start, end - start));
      start = end + 1;
    }
    return folders;  // the user's choice, alone: an empty DICPATH means none
  }
  for (const char* folder : {"/usr/share/hunspell", "/usr/share/myspell", "/usr/share/myspell/dicts"}) {
    folders.emplace_back(folder);
  }
  return folders;
}

// libhunspell sets up tables shared by every dictionary as it reads one,
// and doing so on two threads at once races: every reading holds this.
std::mutex& Reading_mutex() {
  static std::mutex mutex;
  return mutex;
}

// A file's text mapped from the system's cache, without a copy: the Hebrew
// word list is 8 MB.
class Mapped_file {
 public:
  explicit Mapped_file(const std::filesystem::path& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat status {};
    if (fstat(fd, &status) == 0 && status.st_size > 0) {
      void* data = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
      if (data != MAP_FAILED) {
        data_ = static_cast<const char*>(data);
        size_ = static_cast<std::size_t>(status.st_size);
      }
    }
    close(fd);
  }
  ~Mapped_file() {
    if (data_ != nullptr) munmap(const_cast<char*>(data_), size_);
  }
  Mapped_file(const Mapped_file&) = delete;
  Mapped_file& operator=(const Mapped_file&) = delete;

  std::string_view Text() const { return {data_, size_}; }

 private:
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

std::size_t Characters(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// `text` less its first `front` and last `back` UTF-8 characters.
std::string_view Cut(std::string_view text, std::size_t front, std::size_t back) {
  const auto is_start = [&](std::size_t i) { return (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80; };
  std::size_t begin = 0;
  for (std::size_t n = 0; n < front && begin < text.size(); ++n) {
    ++begin;
    while (begin < text.size() && !is_start(begin)) ++begin;
  }
  std::size_t end = text.size();
  for (std::size_t n = 0; n < back && end > begin; ++n) {
    --end;
    while (end > begin && !is_start(end)) --end;
  }
  return text.substr(begin, end - begin);
}

char Small(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool Contains_ignoring_case(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < part.size() && Small(text[at + i]) == Small(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}

// What the affix rules may take off a stem before they add to it, in
// characters: every stem that makes a word, less that much at each end,
// stands in the word. Word by word is unsound where the rules ignore
// characters or join the parts of compounds in other ways.
struct Affix_reach {
  bool word_by_word = true;
  std::size_t front = 0;
  std::size_t back = 0;
};

Affix_reach Read_affix_reach(const std::filesystem::path& aff) {
  Affix_reach reach;
  std::ifstream in(aff, std::ios::binary);
  bool twofold_prefixes = false;
  bool twofold_suffixes = false;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string key, flag, strip, affix;
    words >> key;
    if (key == "IGNORE" || key == "SIMPLIFIEDTRIPLE" || key == "CHECKCOMPOUNDPATTERN") reach.word_by_word = false;
    if (key == "COMPLEXPREFIXES") twofold_prefixes = true;
    if (key != "PFX" && key != "SFX") continue;
    if (!(words >> flag >> strip >> affix)) continue;
    if (strip == "Y" || strip == "N") continue;  // a rule group's heading
    const std::size_t stripped = strip == "0" ? 0 : Characters(strip);
    const bool continues = affix.find('/') != std::string::npos;
    if (key == "PFX") {
      reach.front = std::max(reach.front, stripped);
      twofold_prefixes = twofold_prefixes || continues;
    } else {
      reach.back = std::max(reach.back, stripped);
      twofold_suffixes = twofold_suffixes || continues;
    }
  }
  if (twofold_prefixes) reach.front *= 2;
  if (twofold_suffixes) reach.back *= 2;
  if (!in.eof()) reach.word_by_word = false;
  return reach;
}

// A word that the lines can be chosen for by bytes: ASCII, whose case the
// choosing ignores, or Hebrew, which has none.
bool Choosable(std::string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i) {
    const auto c = static_cast<unsigned char>(word[i]);
    if (c < 0x80) continue;
    if ((c != 0xD6 && c != 0xD7) || i + 1 >= word.size()) return false;
    ++i;  // a character of the Hebrew block, U+0580..U+05FF
  }
  return true;
}

// One language's dictionary. libhunspell is not safe to ask from several
// threads at once.
class Hunspell_language {
 public:
  Hunspell_language(const char* name, Dictionary_reading reading) : reading_(reading) {
    for (const auto& folder : Dictionary_folders()) {
      const auto aff = folder / (std::string(name) + ".aff");
      const auto dic = folder / (std::string(name) + ".dic");
      std::error_code error;
      if (std::filesystem::is_regular_file(aff, error) && std::filesystem::is_regular_file(dic, error)) {
        aff_ = aff;
        dic_ = dic;
        break;
      }
    }
  }
  ~Hunspell_language() {
    for (Hunhandle* handle : {whole_, chosen_}) {
      if (handle != nullptr) Hunspell_destroy(handle);
    }
  }
  Hunspell_language(const Hunspell_language&) = delete;
  Hunspell_language& operator=(const Hunspell_language&) = delete;

  bool Found() const { return !aff_.empty(); }

  bool Knows(std::string_view word) {
    if (!Found() || word.empty()) return false;
    const std::string text(word);
    const std::lock_guard<std::mutex> lock(mutex_);
    if (whole_ == nullptr && reading_ != Dictionary_reading::whole && Choosable(text) &&
        (reading_ == Dictionary_reading::word_by_word_only || asked_.size() < word_by_word_limit)) {
      const auto asked = asked_.find(text);
      if (asked != asked_.end()) return asked->second;
      if (Read_affix_rules()) {
        if (const std::optional<bool> known = Knows_by_its_lines(text)) {
          asked_.emplace(text, *known);
          return *known;
        }
      }
    }
    Read_whole_list();
    return whole_ != nullptr && Hunspell_spell(whole_, text.c_str()) != 0;
  }

  void Read_whole() {
    const std::lock_guard<std::mutex> lock(mutex_);
    Read_whole_list();
  }

 private:
  void Read_whole_list() {
    if (whole_ != nullptr || whole_tried_ || !Found()) return;
    whole_tried_ = true;
    const std::lock_guard<std::mutex> reading(Reading_mutex());
    whole_ = Hunspell_create(aff_.string().c_str(), dic_.string().c_str());
  }

  // Whether the rules allow word by word; reads the word list into memory.
  bool Read_affix_rules() {
    if (!reach_read_) {
      reach_read_ = true;
      reach_ = Read_affix_reach(aff_);
      if (reach_.word_by_word) list_ = std::make_unique<Mapped_file>(dic_);
      reach_.word_by_word = reach_.word_by_word && !list_->Text().empty();
    }
    return reach_.word_by_word;
  }

  // The word asked of hunspell with the affix rules and the lines of the
  // list whose stems, less the affixes' reach, stand in the word; nothing
  // when the lines could not be given (no room for a temporary file).
  std::optional<bool> Knows_by_its_lines(const std::string& word) {
    const std::string_view list = list_->Text();
    // A stem longer than this in bytes cannot stand in the word.
    const std::size_t longest = word.size() + 4 * (reach_.front + reach_.back);
    std::string lines;
    std::size_t count = 0;
    const char* at = list.data();
    const char* const end = list.data() + list.size();
    at = std::find(at, end, '\n');  // the first line counts the others
    while (at < end) {
      const char* const line = ++at;
      while (at < end && *at != '/' && *at != '\t' && *at != '\n') ++at;
      const std::string_view stem(line, static_cast<std::size_t>(at - line));
      at = std::find(at, end, '\n');
      if (stem.empty() || stem.size() > longest + 1) continue;
      // A stem with an escaped slash is given, whatever it holds.
      const bool escaped = stem.back() == '\\';
      if (!escaped && (stem.size() > longest || !Contains_ignoring_case(word, Cut(stem, reach_.front, reach_.back)))) {
        continue;
      }
      lines.append(line, static_cast<std::size_t>(at - line));
      lines.push_back('\n');
      ++count;
    }
    if (count == 0) return false;
    if (!Give_lines(std::to_string(count) + '\n' + lines)) return std::nullopt;
    return Hunspell_spell(chosen_, word.c_str()) != 0;
  }

  // Adds lines of the word list to the dictionary of chosen lines, through a
  // file: libhunspell reads its lists from files only.
  bool Give_lines(const std::string& lines) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) return false;
    std::string path = (folder / "quorvandel-words-XXXXXX").string();
    const int fd = mkstemp(path.data());
    if (fd < 0) return false;
    bool written = true;
    for (std::size_t done = 0; written && done < lines.size();) {
      const ssize_t n = write(fd, lines.data() + done, lines.size() - done);
      written = n > 0;
      if (written) done += static_cast<std::size_t>(n);
    }
    close(fd);
    if (written) {
      const std::lock_guard<std::mutex> reading(Reading_mutex());
      if (chosen_ == nullptr) {
        chosen_ = Hunspell_create(aff_.string().c_str(), path.c_str());
      } else {
        Hunspell_add_dic(chosen_, path.c_str());
      }
    }
    unlink(path.c_str());
    return written && chosen_ != nullptr;
  }

  const Dictionary_reading reading_;
  std::filesystem::path aff_;
  std::filesystem::path dic_;
  std::mutex mutex_;
  Hunhandle* whole_ = nullptr;
  bool whole_tried_ = false;
  bool reach_read_ = false;
  Affix_reach reach_;
  std::unique_ptr<Mapped_file> list_;             // the word list's text
  Hunhandle* chosen_ = nullptr;                    // the affix rules and the lines chosen so far
  std::unordered_map<std::string, bool> asked_;  // the words asked word by word
};

class Hunspell_dictionary final : public Dictionary {
 public:
  explicit Hunspell_dictionary(Dictionary_reading reading) : english_("en_US", reading), hebrew_("he_IL", reading) {}

  // Reads both whole lists in the background, one after the other.
  void Start_loading() {
    std::call_once(started_, [this] {
      loading_ = std::async(std::launch::async, [this] {
        english_.Read_whole();
        hebrew_.Read_whole();
      });
    });
  }

  bool Has(Language language) const override { return Get(language).Found(); }
  bool Knows(Language language, std::string_view word) const override { return Get(language).Knows(word); }

 private:
  Hunspell_language& Get(Language language) const { return language == Language::hebrew ? hebrew_ : english_; }

  mutable Hunspell_language english_;
  mutable Hunspell_language hebrew_;
  std::once_flag started_;
  std::future<void> loading_;
};

// Never destroyed: a background read may still run as the program exits.
Hunspell_dictionary& The_dictionary() {
  static auto* dictionary = new Hunspell_dictionary(Dictionary_reading::word_by_word);
  return *dictionary;
}

}  // namespace

std::unique_ptr<Dictionary> Make_hunspell_dictionary(Dictionary_reading reading) {
  return std::make_unique<Hunspell_dictionary>(reading);
}

const Dictionary* System_dictionary() { return &The_dictionary(); }
void Start_loading_dictionaries() { The_dictionary().Start_loading(); }

}  // namespace quorvandel
