# Turns the players' guide (doc/guide.txt, plain text) into sections of the
# manual page, so that the page says what the guide says, word for word. A
# line underlined with dashes heads a section; a blank line ends a
# paragraph; a paragraph with an indented line (a list, a command to type)
# keeps its lines as they are laid out. Backslashes, dashes and a line's leading dot or quote
# are escaped for roff.
function escape(line) {
  gsub(/\\/, "\\e", line)
  gsub(/-/, "\\-", line)
  if (line ~ /^[.']/) {
    line = "\\&" line
  }
  return line
}

function endParagraph() {
  if (laidOut) {
    print ".fi"
  }
  laidOut = 0
  inParagraph = 0
}

{ lines[NR] = $0 }

END {
  for (i = 1; i <= NR; i++) {
    line = lines[i]
    if (line != "" && i < NR && lines[i + 1] ~ /^-+$/) {
      endParagraph()
      print ".SH \"" toupper(line) "\""
      i++
      first = 1
      continue
    }
    if (line == "") {
      endParagraph()
      continue
    }
    if (!inParagraph) {
      if (!first) {
        print ".PP"
      }
      first = 0
      inParagraph = 1
      for (j = i; j <= NR && lines[j] != ""; j++) {
        if (lines[j] ~ /^ /) {
          laidOut = 1
        }
      }
      if (laidOut) {
        print ".nf"
      }
    }
    print escape(line)
  }
  endParagraph()
}
