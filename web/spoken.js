// What a screen reader hears of the dialogue: each burst of the program's
// output once, as it comes (a question, a refusal, the menu each time the
// program returns to it), without the rows of stars that frame it, which
// would be read out star by star. The terminal draws the dialogue; this
// speaks it, in a log region of its own.
'use strict';

(function (exports) {
  // The log keeps the latest bursts only: a screen reader reads what is
  // added, and a long run must not grow the page without end.
  const kKeptBursts = 30;

  // `text` as it is to be heard: the stars gone (a heading framed by stars
  // keeps its words), blank lines dropped.
  function spokenText(text) {
    return text.replace(/\r/g, '').split('\n')
      .map((line) => line.replace(/\*{2,}/g, ' ').replace(/\s+/g, ' ').trim())
      .filter((line) => line !== '')
      .join('\n');
  }

  class SpokenLog {
    constructor(element) {
      this.element = element;
      this.decoder = new TextDecoder();
    }

    // Bytes the program wrote.
    add(bytes) {
      const text = spokenText(this.decoder.decode(bytes, { stream: true }));
      if (text === '') return;
      const burst = document.createElement('p');
      burst.textContent = text;
      this.element.append(burst);
      while (this.element.childElementCount > kKeptBursts) this.element.firstChild.remove();
    }

    clear() {
      this.element.replaceChildren();
    }
  }

  exports.SpokenLog = SpokenLog;
  exports.spokenText = spokenText;
})(typeof module === 'object' ? module.exports : globalThis);
