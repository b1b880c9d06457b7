// The scripts kept in the browser's storage: every script the page has
// made, each under a key of its own run, so that a new run, a reload or a
// second tab never replaces or empties an earlier one. Each is kept with
// its file name, when it last changed and whether it was downloaded since.
// A kept copy stays until the player removes it; one that cannot be read
// is listed as such, never dropped unseen. No DOM here: a Storage-like
// object (getItem, setItem, removeItem, key, length) goes in.
'use strict';

(function (exports) {
  // A site may hold two versions of the page side by side, each with its
  // own scripts; the folder, not the file, names the page: "/" and
  // "/index.html" are one page.
  const pageFolder = (pathname) => pathname.replace(/[^/]*$/, '');
  const keyPrefix = (pathname) => `bindsmith kept ${pageFolder(pathname)} `;

  // The script is bytes, not necessarily UTF-8 (a password may hold any
  // byte): stored one character per byte, so that it comes back exact.
  // fromCharCode takes its bytes as arguments, a bounded number at a time.
  const kChunk = 8192;
  function bytesToText(bytes) {
    let text = '';
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

  // A run's id: unique across tabs and reloads of one browser.
  const newRunId = (now, random) => `${now.toString(36)}-${random.toString(36).slice(2, 10)}`;

  // The run's record after the program's script is read again: the same
  // record while nothing changed; otherwise changed now and, since what was
  // downloaded is no longer the script, not downloaded.
  function updatedRecord(record, script, id, now) {
    if (record && record.name === script.name && sameBytes(record.bytes, script.bytes)) {
      return record;
    }
    return { id, name: script.name, bytes: script.bytes.slice(), changed: now,
      downloaded: false };
  }

  // Whether the script holds statements that no download has saved: an
  // empty script has nothing to lose.
  const unsaved = (record) => Boolean(record && record.bytes.length > 0 && !record.downloaded);

  class KeptScripts {
    // `storage` is null where the browser offers none.
    constructor(storage, pathname) {
      this.storage = storage;
      this.prefix = keyPrefix(pathname);
    }

    // Keeps `record` under its run's key. Returns null, or why it could not
    // be kept (storage full or turned off).
    keep(record) {
      if (!this.storage) return 'this browser does not let the page keep scripts';
      const { id, name, bytes, changed, downloaded } = record;
      try {
        this.storage.setItem(this.prefix + id,
          JSON.stringify({ name, bytes: bytesToText(bytes), changed, downloaded }));
        return null;
      } catch (error) {
        return `the browser's storage took no more (${error.name})`;
      }
    }

    // Every kept script, newest first, and the keys of kept copies that
    // could not be read.
    list() {
      const scripts = [];
      const unreadable = [];
      if (!this.storage) return { scripts, unreadable };
      for (const key of this.keys()) {
        try {
          const kept = JSON.parse(this.storage.getItem(key));
          if (typeof kept.name !== 'string' || typeof kept.bytes !== 'string') throw new Error();
          scripts.push({ id: key.slice(this.prefix.length), name: kept.name,
            bytes: textToBytes(kept.bytes), changed: Number(kept.changed) || 0,
            downloaded: Boolean(kept.downloaded) });
        } catch {
          unreadable.push(key);
        }
      }
      scripts.sort((a, b) => b.changed - a.changed);
      return { scripts, unreadable };
    }

    remove(id) {
      this.removeKey(this.prefix + id);
    }

    removeKey(key) {
      try {
        this.storage.removeItem(key);
      } catch {
        // Storage that went away holds nothing to remove.
      }
    }

    forgetAll() {
      for (const key of this.keys()) this.removeKey(key);
    }

    keys() {
      const keys = [];
      try {
        for (let i = 0; i < this.storage.length; i += 1) {
          const key = this.storage.key(i);
          if (key !== null && key.startsWith(this.prefix)) keys.push(key);
        }
      } catch {
        // Storage turned off while the page is open: nothing can be listed.
      }
      return keys;
    }
  }

  // One run's script, kept under the run's own id as it grows: a run never
  // writes to another run's copy.
  class KeptRun {
    constructor(kept, id) {
      this.kept = kept;
      this.id = id;
      this.record = null; // { id, name, bytes, changed, downloaded } once named
      this.failure = null; // why the last copy could not be kept
    }

    // The program's script (null before it is named), read again; returns
    // whether it changed.
    update(script, now) {
      if (!script) return false;
      const next = updatedRecord(this.record, script, this.id, now);
      if (next === this.record) return false;
      this.record = next;
      this.failure = this.kept.keep(next);
      return true;
    }

    downloaded() {
      if (!this.record) return;
      this.record = { ...this.record, downloaded: true };
      this.failure = this.kept.keep(this.record);
    }

    // Whether leaving would lose statements: not downloaded and not kept.
    atRisk() {
      return unsaved(this.record) && this.failure !== null;
    }
  }

  exports.KeptScripts = KeptScripts;
  exports.KeptRun = KeptRun;
  exports.keptScriptsParts = { pageFolder, keyPrefix, bytesToText, textToBytes, newRunId,
    updatedRecord, unsaved, kChunk };
})(typeof module === 'object' ? module.exports : globalThis);
