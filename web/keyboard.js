// The keyboard picture on the page: the 47 keys a script can bind, in
// their places on a US keyboard, each bound one marked and labelled with
// what it buys, and a list below saying the same in plain words. While the
// program asks for a key, each free key is a button that answers with it,
// exactly as typing it and Enter would. "Save picture" saves it as an SVG.
/* global keyboardLayout */
'use strict';

(function (exports) {
  const { keyPlaces, keyLabels, labelWords, keyboardSvg, kWidth } = keyboardLayout;
  // Grid columns per key width: rows start a quarter of a key apart.
  const kColumnsPerKey = 4;

  class KeyboardPicture {
    // `elements`: picture (the group of keys), list (the binds in words),
    // save (the button). `data`: the program's keys and catalogue.
    // `pick(key)` answers the program's key question.
    constructor(elements, data, pick) {
      this.elements = elements;
      this.weapons = data.weapons;
      this.places = keyPlaces(data.keys);
      this.labels = new Map();
      this.asking = false;
      this.name = null;
      elements.picture.style.gridTemplateColumns = `repeat(${kWidth * kColumnsPerKey}, 1fr)`;
      this.buttons = new Map(this.places.map(({ key, row, left }) => {
        // The key's short use is drawn on it, but is not part of the
        // button: the button's name gives the use whole.
        const cell = document.createElement('div');
        cell.className = 'key';
        cell.style.gridRow = `${row + 1}`;
        cell.style.gridColumn = `${left * kColumnsPerKey + 1} / span ${kColumnsPerKey}`;
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = key;
        const use = document.createElement('span');
        use.className = 'use';
        use.setAttribute('aria-hidden', 'true');
        cell.append(button, use);
        button.addEventListener('click', () => {
          if (this.asking && !this.labels.has(key)) pick(key);
        });
        elements.picture.append(cell);
        return [key, button];
      }));
      elements.save.addEventListener('click', () => this.save());
      this.render();
    }

    // The script as it stands (text; empty before it is named), its file
    // name, and whether the program now asks for a key.
    update(text, name, asking) {
      this.labels = keyLabels(text, this.weapons);
      this.name = name;
      this.asking = asking;
      this.render();
    }

    render() {
      for (const [key, button] of this.buttons) {
        const label = this.labels.get(key);
        button.parentElement.classList.toggle('bound', Boolean(label));
        button.nextSibling.textContent = label ? label.short : '';
        button.setAttribute('aria-label', labelWords(key, label && { ...label, addOns: [] }));
        button.title = labelWords(key, label);
        button.disabled = !(this.asking && !label);
      }
      const { list, save } = this.elements;
      list.replaceChildren(...this.places.filter(({ key }) => this.labels.has(key))
        .map(({ key }) => {
          const item = document.createElement('li');
          item.textContent = labelWords(key, this.labels.get(key));
          return item;
        }));
      list.hidden = list.childElementCount === 0;
      save.disabled = !this.name;
    }

    // The picture as pub.svg for the script pub.cfg.
    save() {
      if (!this.name) return;
      const svg = keyboardSvg(this.places, this.labels, `${this.name}: the binds`);
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' }));
      link.download = this.name.replace(/\.cfg$/, '.svg');
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    }
  }

  exports.KeyboardPicture = KeyboardPicture;
})(typeof module === 'object' ? module.exports : globalThis);
