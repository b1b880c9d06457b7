#pragma once

#include <cstddef>
#include <exception>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>

// The player's console: what the player types and what the dialogues show,
// with the one way each question is asked and each answer read. The menu
// hands it to every action, as it hands over the script.
namespace bindsmith {

// Thrown by every read here when the input has ended (or failed) or an
// interrupt has come (platform/interrupts.h), so that the run unwinds to the
// main menu instead of asking forever. Before it is thrown, an open prompt
// line has been ended with a line break.
class EndOfInput : public std::exception {};

// Whether the console line is still open when a read starts, i.e. the last
// thing printed was a prompt without a line break. At end of input such a
// line is ended so the console is left tidy.
enum class PromptLine { open, closed };

// A word as typed, and whether it went on beyond what was read.
struct Word {
  std::string text;
  // The next byte of the input is neither white space nor the end of input:
  // the word was longer than its storage, and its excess is still unread.
  bool cutShort = false;
};

class Console {
 public:
  // Reads `input` and shows on `output`. `input` should be tied to `output`
  // (as std::cin is to std::cout), so that a prompt is on screen before the
  // player types.
  Console(std::istream& input, std::ostream& output) : in_(input), out_(output) {}

  // Where the dialogues' own lines go.
  [[nodiscard]] std::ostream& out() { return out_; }

  // Writes "Enter a <label> choice, <low>-<high> " and reads one integer,
  // asking again until it lies within [low, high]. Only the answer is
  // consumed: the rest of its line, at least the line break, stays unread.
  // Text that is not a number is refused and up to kBadLineDiscard characters
  // of its line are dropped; a number out of range (including one beyond 32
  // bits) is refused and nothing is dropped. Throws EndOfInput.
  int promptChoice(int low, int high, std::string_view label);

  // The shape of every yes/no question: each line followed by a line break,
  // then promptChoice(1, 2, label). Returns true for 1 (yes).
  bool askYesNo(std::initializer_list<std::string_view> lines, std::string_view label);

  // Reads one whitespace-delimited word of at most maxChars characters;
  // longer words leave their excess in the input. The rest of the line stays
  // unread. Throws EndOfInput.
  Word readWord(std::size_t maxChars, PromptLine line);

  // Reads characters without skipping until one is not white space and
  // returns it: any byte but the six white-space bytes can be typed as a key.
  // Throws EndOfInput.
  char readKey();

  // Drops input up to and including the next line break, but at most
  // maxChars characters. Stops quietly at end of input; the next read meets
  // the end.
  void discardLine(std::size_t maxChars);

  // A line break, a row of 55 stars and an empty line.
  void printSeparator();

  // The frame of every refusal and error report: a separator block, the
  // message, a line break and a separator block.
  void printFramed(std::string_view message);

 private:
  [[nodiscard]] bool inputEnded() const;
  [[noreturn]] void endOfInput(PromptLine line);
  void stopIfInterrupted(PromptLine line);

  std::istream& in_;
  std::ostream& out_;
};

// How much of its line a typed word's dialogue drops after the word, when it
// drops the line: after a file name, and after a refused player name or
// password.
inline constexpr std::size_t kWordLineDiscard = 999;

// Exactly the six bytes that separate answers: blank, tab, line feed,
// vertical tab, form feed and carriage return. Bytes from 128 on are not.
bool isWhiteSpace(char c);

}  // namespace bindsmith
