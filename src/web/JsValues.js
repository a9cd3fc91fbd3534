// SPDX-License-Identifier: MIT
// The values the program holds (JsValue.h): each at a handle, counted. The
// handle 0 stands for undefined and is never given out for another value
// (the table is written out as [], its first place left empty).
//
// Texts cross as UTF-8 through the browser's own encoder and decoder, not
// the loader's helpers: which of those a build holds differs from one
// emscripten to the next.
mergeInto(LibraryManager.library, {
  $jsValues: {values: [], counts: [], free: []},
  // The text at ptr, up to its closing zero or length bytes. A short ASCII
  // text, as every property name and most values are, is put together byte
  // by byte: a call of the decoder, or of fromCharCode over a view of the
  // bytes, costs a press more than the whole text.
  $jsText: function (ptr, length) {
    const limit = length === undefined ? HEAPU8.length : ptr + length;
    let end = ptr, ascii = true;
    for (; end < limit && HEAPU8[end]; ++end)
      ascii = ascii && HEAPU8[end] < 0x80;
    if (ascii && end - ptr <= 32) {
      let text = '';
      for (let at = ptr; at < end; ++at)
        text += String.fromCharCode(HEAPU8[at]);
      return text;
    }
    if (!jsText.decoder)
      jsText.decoder = new TextDecoder();
    return jsText.decoder.decode(HEAPU8.subarray(ptr, end));
  },
  $jsBytes: function (value) {
    if (!jsBytes.encoder)
      jsBytes.encoder = new TextEncoder();
    return jsBytes.encoder.encode(String(value));
  },
  $jsHold__deps: ['$jsValues'],
  $jsHold: function (value) {
    if (value === undefined)
      return 0;
    const handle = jsValues.free.length ? jsValues.free.pop() : Math.max(1, jsValues.values.length);
    jsValues.values[handle] = value;
    jsValues.counts[handle] = 1;
    return handle;
  },
  $jsArgs__deps: ['$jsValues'],
  $jsArgs: function (args, count) {
    const values = [];
    for (let i = 0; i < count; ++i)
      values.push(jsValues.values[HEAP32[(args >> 2) + i]]);
    return values;
  },
  ringtafel_js_global__deps: ['$jsHold', '$jsText'],
  ringtafel_js_global: function (name) { return jsHold(globalThis[jsText(name)]); },
  ringtafel_js_string__deps: ['$jsHold', '$jsText'],
  ringtafel_js_string: function (text, length) { return jsHold(jsText(text, length)); },
  ringtafel_js_number__deps: ['$jsHold'],
  ringtafel_js_number: function (number, isBool) { return jsHold(isBool ? number !== 0 : number); },
  ringtafel_js_object__deps: ['$jsHold'],
  ringtafel_js_object: function () { return jsHold({}); },
  ringtafel_js_memory__deps: ['$jsHold'],
  ringtafel_js_memory: function (bytes, size) { return jsHold(HEAPU8.subarray(bytes, bytes + size)); },
  ringtafel_js_retain__deps: ['$jsValues'],
  ringtafel_js_retain: function (handle) { ++jsValues.counts[handle]; },
  ringtafel_js_release__deps: ['$jsValues'],
  ringtafel_js_release: function (handle) {
    if (--jsValues.counts[handle] === 0) {
      jsValues.values[handle] = undefined;
      jsValues.free.push(handle);
    }
  },
  ringtafel_js_get__deps: ['$jsHold', '$jsText'],
  ringtafel_js_get: function (handle, name) { return jsHold(jsValues.values[handle][jsText(name)]); },
  ringtafel_js_get_index__deps: ['$jsHold'],
  ringtafel_js_get_index: function (handle, index) { return jsHold(jsValues.values[handle][index]); },
  ringtafel_js_set__deps: ['$jsValues', '$jsText'],
  ringtafel_js_set: function (handle, name, value) { jsValues.values[handle][jsText(name)] = jsValues.values[value]; },
  ringtafel_js_set_text__deps: ['$jsValues', '$jsText'],
  ringtafel_js_set_text: function (handle, name, text, length) {
    jsValues.values[handle][jsText(name)] = jsText(text, length);
  },
  // The numbers of several properties at once, into the program's doubles.
  ringtafel_js_numbers__deps: ['$jsValues', '$jsText'],
  ringtafel_js_numbers: function (handle, names, count, to) {
    const value = jsValues.values[handle];
    for (let i = 0; i < count; ++i)
      HEAPF64[(to >> 3) + i] = +value[jsText(HEAPU32[(names >> 2) + i])];
  },
  // method 0: the value itself is the function.
  ringtafel_js_call__deps: ['$jsHold', '$jsArgs', '$jsText'],
  ringtafel_js_call: function (handle, method, args, count) {
    const target = jsValues.values[handle];
    const values = jsArgs(args, count);
    return jsHold(method ? target[jsText(method)].apply(target, values) : target.apply(undefined, values));
  },
  ringtafel_js_new__deps: ['$jsHold', '$jsArgs'],
  ringtafel_js_new: function (handle, args, count) {
    return jsHold(Reflect.construct(jsValues.values[handle], jsArgs(args, count)));
  },
  ringtafel_js_truth__deps: ['$jsValues'],
  ringtafel_js_truth: function (handle) { return jsValues.values[handle] ? 1 : 0; },
  ringtafel_js_is_null__deps: ['$jsValues'],
  ringtafel_js_is_null: function (handle) { return jsValues.values[handle] === null ? 1 : 0; },
  ringtafel_js_to_number__deps: ['$jsValues'],
  ringtafel_js_to_number: function (handle) { return +jsValues.values[handle]; },
  ringtafel_js_utf8_length__deps: ['$jsValues', '$jsBytes'],
  ringtafel_js_utf8_length: function (handle) { return jsBytes(jsValues.values[handle]).length; },
  ringtafel_js_utf8_copy__deps: ['$jsValues', '$jsBytes'],
  ringtafel_js_utf8_copy: function (handle, to, size) {
    if (size <= 0)
      return;
    const bytes = jsBytes(jsValues.values[handle]).subarray(0, size - 1);
    HEAPU8.set(bytes, to);
    HEAPU8[to + bytes.length] = 0;
  },
  // Every event of the type on the element goes to the program's handler;
  // with onlyOwn, not those that bubbled up from an element inside it.
  ringtafel_js_listen__deps: ['$jsHold', '$jsText'],
  ringtafel_js_listen: function (element, type, handler, onlyOwn) {
    jsValues.values[element].addEventListener(jsText(type), function (event) {
      if (!onlyOwn || event.target === event.currentTarget)
        _ringtafel_dispatch(handler, jsHold(event));
    });
  },
  // Local time, whole milliseconds, as the C library's clock gives it.
  ringtafel_js_seconds_since_midnight: function () {
    const now = new Date();
    return now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds() + now.getMilliseconds() / 1000;
  },
  // A pointer's press, claimed from the browser at once, and what its
  // handler reads (web::Press) written where the program reads it. Focusing
  // the focused element again would change nothing for the player, only
  // cost the press; the element just pressed is where the player looks, so
  // the page does not scroll to it.
  ringtafel_js_listen_press__deps: ['$jsValues'],
  ringtafel_js_listen_press: function (element, handler, press) {
    const target = jsValues.values[element];
    target.addEventListener('pointerdown', function (event) {
      event.preventDefault();
      if (document.activeElement !== target)
        target.focus({preventScroll: true});
      const box = target.getBoundingClientRect(), at = press >> 3;
      HEAPF64[at] = event.clientX;
      HEAPF64[at + 1] = event.clientY;
      HEAPF64[at + 2] = event.button;
      HEAPF64[at + 3] = +event.shiftKey;
      HEAPF64[at + 4] = +event.ctrlKey;
      HEAPF64[at + 5] = +event.altKey;
      HEAPF64[at + 6] = box.left;
      HEAPF64[at + 7] = box.top;
      HEAPF64[at + 8] = devicePixelRatio;
      _ringtafel_dispatch_press(handler);
    });
  },
});
