// The terminal's line discipline, as a console's: what the player types is
// echoed and can be mended on the line being typed (Backspace, Ctrl-U), and
// reaches the program a whole line at a time, when Enter is pressed. Ctrl-C
// is the interrupt, Ctrl-D the end of input. No DOM and no terminal here:
// text goes in, the echo comes out, and the program takes whole lines.
// Each typed or pasted character costs the same small work, however long
// the line: a paste of 100,000 characters is one pass over them.
'use strict';

(function (exports) {
  const kTabStop = 8; // a tab moves to the next multiple of eight columns
  const kBackspace = 0x7f;
  const kCtrlH = 0x08;
  const kCtrlC = 0x03;
  const kCtrlD = 0x04;
  const kCtrlU = 0x15;
  const kTab = 0x09;
  const kLineBreak = 0x0a;
  const kCarriageReturn = 0x0d;
  const kFirstPrintable = 0x20;
  const kLastAscii = 0x7f;
  const encoder = new TextEncoder();
  // What the terminal draws in no column of its own: marks that combine
  // with the character before them, and the zero-width spaces and joiners.
  const kZeroWidth = /[\p{Mn}\p{Me}\u200b-\u200f]/u;
  // What it draws in two columns: the East Asian wide and full-width
  // characters, as the terminal's own table (Unicode 6) has them.
  const kWide = [
    [0x1100, 0x115f], [0x2329, 0x232a], [0x2e80, 0x303e], [0x3040, 0xa4cf],
    [0xac00, 0xd7a3], [0xf900, 0xfaff], [0xfe10, 0xfe19], [0xfe30, 0xfe6f],
    [0xff00, 0xff60], [0xffe0, 0xffe6], [0x20000, 0x2fffd], [0x30000, 0x3fffd],
  ];

  // The columns a printable character's echo takes on the screen, so that
  // mending the line takes back exactly what the echo drew.
  function columnsOf(character, code) {
    if (kZeroWidth.test(character)) return 0;
    return kWide.some(([first, last]) => code >= first && code <= last) ? 2 : 1;
  }

  class LineDiscipline {
    constructor() {
      this.bytes = []; // the line being typed, as the program will read it
      this.byteCounts = []; // per character typed: how many bytes it took
      this.widths = []; // per character typed: how many columns its echo took
      this.width = 0; // the columns of the whole line being typed
      this.startColumn = 0; // where on the screen the line began
      this.lines = []; // whole lines typed ahead and not yet read, oldest first
      this.endOfInput = false; // Ctrl-D on an empty line, not yet read
      this.interrupted = false; // Ctrl-C: every read from now on ends input
    }

    // Takes typed or pasted text and returns its echo. `cursorColumn`
    // tells where the cursor stands; it is asked only when a line begins,
    // so that tabs land on the screen's tab stops.
    type(text, cursorColumn) {
      if (this.interrupted) return '';
      let echo = '';
      for (const character of text) {
        const code = character.codePointAt(0);
        if (this.widths.length === 0) this.startColumn = cursorColumn();
        if (code === kCarriageReturn || code === kLineBreak) {
          echo += '\r\n';
          this.send(true);
        } else if (code === kBackspace || code === kCtrlH) {
          echo += this.eraseLast();
        } else if (code === kCtrlC) {
          // The line and everything typed ahead are dropped, as a console
          // drops them, and the run ends as the program says.
          this.clear();
          this.lines = [];
          this.interrupted = true;
          return `${echo}^C\r\n`;
        } else if (code === kCtrlD) {
          // On an empty line the end of input; otherwise the line goes as
          // it stands, without a line break.
          if (this.widths.length === 0) this.endOfInput = true;
          else this.send(false);
        } else if (code === kCtrlU) {
          // Every column the line's echo took, a wide character's two too.
          echo += '\b \b'.repeat(this.width);
          this.clear();
        } else if (code === kTab) {
          this.add([code], kTabStop - ((this.startColumn + this.width) % kTabStop));
          echo += '\t';
        } else if (code < kFirstPrintable) {
          // Any other control byte is taken, and shown as ^X.
          this.add([code], 2);
          echo += `^${String.fromCharCode(code + 0x40)}`;
        } else {
          if (code < kLastAscii) this.add([code], 1);
          else this.add(encoder.encode(character), columnsOf(character, code));
          echo += character;
        }
      }
      return echo;
    }

    // Up to `size` bytes of the oldest line typed ahead; an empty array for
    // the end of input; undefined while there is neither.
    take(size) {
      if (this.lines.length > 0) {
        const line = this.lines[0];
        if (line.length <= size) return this.lines.shift();
        this.lines[0] = line.subarray(size);
        return line.subarray(0, size);
      }
      if (this.endOfInput) {
        this.endOfInput = false;
        return new Uint8Array(0);
      }
      return undefined;
    }

    add(bytes, columns) {
      for (const byte of bytes) this.bytes.push(byte);
      this.byteCounts.push(bytes.length);
      this.widths.push(columns);
      this.width += columns;
    }

    eraseLast() {
      if (this.widths.length === 0) return '';
      const columns = this.widths.pop();
      this.bytes.length -= this.byteCounts.pop();
      this.width -= columns;
      return '\b \b'.repeat(columns);
    }

    send(withLineBreak) {
      const line = new Uint8Array(this.bytes.length + (withLineBreak ? 1 : 0));
      line.set(this.bytes);
      if (withLineBreak) line[this.bytes.length] = kLineBreak;
      this.lines.push(line);
      this.clear();
    }

    clear() {
      this.bytes = [];
      this.byteCounts = [];
      this.widths = [];
      this.width = 0;
    }
  }

  exports.LineDiscipline = LineDiscipline;
})(typeof module === 'object' ? module.exports : globalThis);
