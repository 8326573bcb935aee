// Raw DEFLATE (RFC 1951), as node's zlib writes it when the page is put together
// (assemble_page.js, which also checks that this gives back the WebAssembly): the page carries
// its WebAssembly compressed to under half its size, and every byte of the page is one the
// browser reads before the window is ready. DecompressionStream would do this, but came to
// Firefox only in 113. Returns the `size` bytes that `data`, a Uint8Array, holds. It runs in
// the program's script; comments stand on lines of their own, which assemble_page.js drops.
function inflate(data, size) {
  var out = new Uint8Array(size);
  var at = 0;
  var bit = 0;
  // Past the end there is nothing but a damaged module: stop, not read zeros for ever.
  var bits = function (n) {
    if (bit + n > data.length * 8) throw new Error("the WebAssembly is damaged");
    var v = 0;
    for (var i = 0; i < n; i++, bit++) v |= (data[bit >> 3] >> (bit & 7) & 1) << i;
    return v;
  };
  // A Huffman code from its code lengths: how many codes there are of each length, and the
  // symbols in the order of their codes.
  var code = function (lengths) {
    var counts = new Uint16Array(16);
    var offsets = new Uint16Array(16);
    var symbols = new Uint16Array(lengths.length);
    for (var i = 0; i < lengths.length; i++) counts[lengths[i]]++;
    for (i = 1; i < 15; i++) offsets[i + 1] = offsets[i] + counts[i];
    for (i = 0; i < lengths.length; i++) if (lengths[i]) symbols[offsets[lengths[i]]++] = i;
    return {counts: counts, symbols: symbols};
  };
  // The next symbol, read a bit at a time: the codes of each length follow on from those of
  // the length before, doubled.
  var symbol = function (h) {
    for (var len = 1, c = 0, first = 0, index = 0; len < 16; len++) {
      c |= bits(1);
      var count = h.counts[len];
      if (c - count < first) return h.symbols[index + c - first];
      index += count;
      first = (first + count) << 1;
      c <<= 1;
    }
    throw new Error("the WebAssembly is damaged");
  };
  // Each length and distance code's base and how many extra bits follow it.
  var lengthBase = [], lengthExtra = [], distanceBase = [], distanceExtra = [];
  for (var i = 0, length = 3, distance = 1; i < 30; i++) {
    lengthBase[i] = length;
    lengthExtra[i] = i < 8 ? 0 : (i - 4) >> 2;
    distanceBase[i] = distance;
    distanceExtra[i] = i < 4 ? 0 : (i - 2) >> 1;
    length += 1 << lengthExtra[i];
    distance += 1 << distanceExtra[i];
  }
  lengthBase[28] = 258;
  lengthExtra[28] = 0;
  var last, lengths, literals, distances, s;
  do {
    last = bits(1);
    var type = bits(2);
    if (type == 0) {
      // Stored: from the next whole byte, its length, that length's complement, the bytes.
      var from = (bit + 7) >> 3;
      var n = data[from] | data[from + 1] << 8;
      out.set(data.subarray(from + 4, from + 4 + n), at);
      at += n;
      bit = (from + 4 + n) * 8;
      continue;
    }
    lengths = [];
    if (type == 1) {
      for (i = 0; i < 288; i++) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
      for (i = 0; i < 30; i++) lengths[288 + i] = 5;
      s = 288;
    } else {
      s = bits(5) + 257;
      var count = s + bits(5) + 1;
      var order = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];
      var header = bits(4) + 4;
      var lengthCodes = [];
      for (i = 0; i < 19; i++) lengthCodes[order[i]] = i < header ? bits(3) : 0;
      var lengthCode = code(lengthCodes);
      while (lengths.length < count) {
        var l = symbol(lengthCode);
        if (l < 16) {
          lengths.push(l);
          continue;
        }
        // 16 repeats the last length 3 to 6 times; 17 and 18 give 3 to 10 and 11 to 138 zeros.
        var repeat = l == 16 ? bits(2) + 3 : l == 17 ? bits(3) + 3 : bits(7) + 11;
        var value = l == 16 ? lengths[lengths.length - 1] : 0;
        while (repeat--) lengths.push(value);
      }
    }
    literals = code(lengths.slice(0, s));
    distances = code(lengths.slice(s));
    for (;;) {
      var v = symbol(literals);
      if (v < 256) {
        out[at++] = v;
      } else if (v == 256) {
        break;
      } else {
        v -= 257;
        var copy = lengthBase[v] + bits(lengthExtra[v]);
        var d = symbol(distances);
        var back = at - distanceBase[d] - bits(distanceExtra[d]);
        while (copy--) out[at++] = out[back++];
      }
    }
  } while (!last);
  return out;
}
