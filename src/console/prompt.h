#pragma once

#include <cstddef>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

// Console input: the numbered question every dialogue asks, word and key
// reads, and line discards. All of them read std::cin; output goes to
// std::cout, which std::cin is tied to, so a prompt is on screen before the
// player types.
namespace bindsmith {

// Thrown by every read here when standard input has ended (or failed) or an
// interrupt has come (platform/interrupts.h), so that the run unwinds to the
// main menu instead of asking forever. Before it is thrown, an open prompt
// line has been ended with a line break.
class EndOfInput : public std::exception {};

// Whether the console line is still open when a read starts, i.e. the last
// thing printed was a prompt without a line break. At end of input such a
// line is ended so the console is left tidy.
enum class PromptLine { open, closed };

// Writes "Enter a <label> choice, <low>-<high> " and reads one integer,
// asking again until it lies within [low, high]. Only the answer is consumed:
// the rest of its line, at least the line break, stays unread. Text that is
// not a number is refused and up to kBadLineDiscard characters of its line are
// dropped; a number out of range (including one beyond 32 bits) is refused
// and nothing is dropped. Throws EndOfInput.
int promptChoice(int low, int high, std::string_view label);

// The shape of every yes/no question: each line followed by a line break,
// then promptChoice(1, 2, label). Returns true for 1 (yes).
bool askYesNo(std::initializer_list<std::string_view> lines, std::string_view label);

// A word as typed, and whether it went on beyond what was read.
struct Word {
  std::string text;
  // The next byte of the input is neither white space nor the end of input:
  // the word was longer than its storage, and its excess is still unread.
  bool cutShort = false;
};

// Reads one whitespace-delimited word of at most maxChars characters; longer
// words leave their excess in the input. The rest of the line stays unread.
// Throws EndOfInput.
Word readWord(std::size_t maxChars, PromptLine line);

// Reads characters without skipping until one is not white space and returns
// it: any byte but the six white-space bytes can be a key. Throws EndOfInput.
char readKey();

// Drops input up to and including the next line break, but at most maxChars
// characters. Stops quietly at end of input; the next read meets the end.
void discardLine(std::size_t maxChars);

// How much of its line a typed word's dialogue drops after the word, when it
// drops the line: after a file name, and after a refused player name or
// password.
inline constexpr std::size_t kWordLineDiscard = 999;

// Exactly the six bytes that separate answers: blank, tab, line feed,
// vertical tab, form feed and carriage return. Bytes from 128 on are not.
bool isWhiteSpace(char c);

}  // namespace bindsmith
