// The script pane: this run's script as it stands and its Download, and the
// list of every script kept in this browser, each downloadable and
// removable on its own. Keeping them is kept_scripts.js's job; this shows
// them, and says plainly when the browser would not keep one.
/* global KeptScripts, KeptRun, keptScriptsParts */
'use strict';

(function (exports) {
  const { newRunId, unsaved } = keptScriptsParts;

  // The browser's storage, or null where it is turned off: reading
  // localStorage itself may throw then.
  function browserStorage() {
    try {
      const storage = window.localStorage;
      storage.getItem('bindsmith');
      return storage;
    } catch {
      return null;
    }
  }

  function saveBytes(name, bytes) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }

  const button = (text, label, action) => {
    const element = document.createElement('button');
    element.type = 'button';
    element.textContent = text;
    element.setAttribute('aria-label', label);
    element.addEventListener('click', action);
    return element;
  };

  class ScriptPane {
    // `elements`: name, text, download (the button), reason (its
    // description), kept (the list), forget (the button), problem (where a
    // failure to keep is said).
    constructor(elements) {
      this.elements = elements;
      this.kept = new KeptScripts(browserStorage(), location.pathname);
      this.run = null;
      this.decoder = new TextDecoder();
      elements.download.addEventListener('click', () => this.download());
      elements.forget.addEventListener('click', () => this.forgetAll());
    }

    // A new run, with a kept copy of its own; earlier runs' copies stay.
    startRun() {
      this.run = new KeptRun(this.kept, newRunId(Date.now(), Math.random()));
      this.render();
    }

    // The running program's script (null before it is named), whenever it
    // may have grown.
    update(script) {
      if (this.run.update(script, Date.now())) this.render();
    }

    // Whether leaving the page would lose statements: neither downloaded
    // nor kept.
    atRisk() {
      return this.run !== null && this.run.atRisk();
    }

    script() {
      return this.run && this.run.record;
    }

    download() {
      const record = this.script();
      if (!record) return;
      saveBytes(record.name, record.bytes);
      this.run.downloaded();
      this.render();
    }

    forgetAll() {
      const question = 'Remove every script kept in this browser? Those not downloaded are lost.';
      if (!window.confirm(question)) return;
      this.kept.forgetAll();
      this.render();
    }

    render() {
      const { name, text, download, reason, problem } = this.elements;
      const record = this.script();
      name.textContent = record ? record.name : 'No script yet';
      text.textContent = record ? this.decoder.decode(record.bytes) : '';
      text.scrollTop = text.scrollHeight;
      download.disabled = !record;
      if (!record) reason.textContent = 'Name the script first: choose 2 in the menu.';
      else if (unsaved(record)) reason.textContent = `${record.name} is not downloaded yet.`;
      else if (record.bytes.length === 0) reason.textContent = `${record.name} is empty so far.`;
      else reason.textContent = `${record.name} is downloaded as it stands.`;
      const failure = this.run && this.run.failure;
      problem.hidden = !failure;
      problem.textContent = failure ? `This script is not kept in the browser: ${failure}. ` +
        'Download it before you leave the page.' : '';
      this.renderKept();
    }

    renderKept() {
      const { kept: list, forget } = this.elements;
      const { scripts, unreadable } = this.kept.list();
      const when = (time) => new Date(time).toLocaleString();
      const items = scripts.map((record) => {
        const item = document.createElement('li');
        const mine = this.run && record.id === this.run.id;
        const words = document.createElement('span');
        words.textContent = `${record.name}${mine ? ' (this run)' : ''}, ` +
          `${when(record.changed)}, ${unsaved(record) ? 'not downloaded' : 'downloaded'}`;
        item.append(words,
          button('Download', `Download ${record.name} of ${when(record.changed)}`, () => {
            saveBytes(record.name, record.bytes);
            if (mine) this.run.downloaded();
            else this.kept.keep({ ...record, downloaded: true });
            this.render();
          }),
          button('Remove', `Remove ${record.name} of ${when(record.changed)}`, () => {
            if (unsaved(record) && !window.confirm(`Remove ${record.name}? ` +
              'It was not downloaded, and is lost.')) return;
            this.kept.remove(record.id);
            this.render();
          }));
        return item;
      });
      for (const key of unreadable) {
        const item = document.createElement('li');
        item.textContent = 'A kept script that this browser can no longer read. ';
        item.append(button('Remove', 'Remove the script that cannot be read', () => {
          this.kept.removeKey(key);
          this.render();
        }));
        items.push(item);
      }
      list.replaceChildren(...items);
      forget.disabled = items.length === 0;
    }
  }

  exports.ScriptPane = ScriptPane;
})(typeof module === 'object' ? module.exports : globalThis);
