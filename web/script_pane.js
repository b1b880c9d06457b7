// The script pane: the run's script as it stands, its download, and its
// copy in the browser's storage, which never leaves the machine. The copy
// is kept as the script grows, so that after a reload, or a tab closed and
// opened again, the last script is still there to download.
'use strict';

(function (exports) {
  // One copy per page: a site may hold two versions of the page side by side.
  const storageKey = () => `bindsmith script ${location.pathname.replace(/index\.html$/, '')}`;

  // The script is bytes, not necessarily UTF-8 (a password may hold any
  // byte): stored one character per byte, so that it comes back exact.
  function bytesToText(bytes) {
    let text = '';
    const kChunk = 8192;
    for (let at = 0; at < bytes.length; at += kChunk) {
      text += String.fromCharCode.apply(null, bytes.subarray(at, at + kChunk));
    }
    return text;
  }

  function textToBytes(text) {
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; i += 1) bytes[i] = text.charCodeAt(i);
    return bytes;
  }

  function sameBytes(a, b) {
    if (a.length !== b.length) return false;
    for (let i = 0; i < a.length; i += 1) if (a[i] !== b[i]) return false;
    return true;
  }

  class ScriptPane {
    // `elements`: name, earlier, text, download (the button), reason (why
    // it is disabled).
    constructor(elements) {
      this.elements = elements;
      this.script = null; // { name, bytes, earlier, downloaded }
      this.decoder = new TextDecoder();
      elements.download.addEventListener('click', () => this.download());
    }

    // The script an earlier visit left in storage, if any.
    restore() {
      try {
        const kept = JSON.parse(localStorage.getItem(storageKey()));
        if (!kept) return;
        this.script = { ...kept, bytes: textToBytes(kept.bytes), earlier: true };
      } catch {
        this.script = null; // no storage (a private window), or a copy spoilt
      }
      this.render();
    }

    // The running program's script, whenever it may have grown.
    update(script) {
      if (!script) return;
      const shown = this.script;
      if (shown && !shown.earlier && shown.name === script.name &&
        sameBytes(shown.bytes, script.bytes)) return;
      this.script = { name: script.name, bytes: script.bytes.slice(), earlier: false,
        downloaded: false };
      this.render();
      this.save();
    }

    // A new run: its script starts empty, and replaces the kept copy.
    clear() {
      this.script = null;
      try {
        localStorage.removeItem(storageKey());
      } catch {
        // No storage: nothing was kept.
      }
      this.render();
    }

    // Whether the script holds statements that were not downloaded.
    unsaved() {
      return Boolean(this.script && this.script.bytes.length > 0 && !this.script.downloaded);
    }

    download() {
      if (!this.script) return;
      const { name, bytes } = this.script;
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
      link.download = name;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 0);
      this.script.downloaded = true;
      this.save();
    }

    save() {
      const { name, bytes, downloaded } = this.script;
      try {
        localStorage.setItem(storageKey(),
          JSON.stringify({ name, bytes: bytesToText(bytes), downloaded }));
      } catch {
        // No storage, or it is full: the pane and Download still work.
      }
    }

    render() {
      const { name, earlier, text, download, reason } = this.elements;
      const script = this.script;
      name.textContent = script ? script.name : 'No script yet';
      earlier.hidden = !(script && script.earlier);
      text.textContent = script ? this.decoder.decode(script.bytes) : '';
      text.scrollTop = text.scrollHeight;
      download.disabled = !script;
      reason.hidden = Boolean(script);
    }
  }

  exports.ScriptPane = ScriptPane;
})(typeof module === 'object' ? module.exports : globalThis);
