// The test's photos, made with ImageMagick: a JPEG whose EXIF orientation
// turns it, a PNG with transparent parts, a WebP, and a file with a
// Japanese name; and a short WAV for music and a sound.
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const path = require('path');

function convert(args) {
  execFileSync('convert', args, {stdio: ['ignore', 'ignore', 'inherit']});
}

// A 16-bit mono WAV of `milliseconds` of a tone.
function wav(file, milliseconds, frequency) {
  const rate = 8000;
  const samples = Math.round(rate * milliseconds / 1000);
  const bytes = Buffer.alloc(44 + samples * 2);
  bytes.write('RIFF', 0);
  bytes.writeUInt32LE(36 + samples * 2, 4);
  bytes.write('WAVEfmt ', 8);
  bytes.writeUInt32LE(16, 16);
  bytes.writeUInt16LE(1, 20);
  bytes.writeUInt16LE(1, 22);
  bytes.writeUInt32LE(rate, 24);
  bytes.writeUInt32LE(rate * 2, 28);
  bytes.writeUInt16LE(2, 32);
  bytes.writeUInt16LE(16, 34);
  bytes.write('data', 36);
  bytes.writeUInt32LE(samples * 2, 40);
  for (let i = 0; i < samples; ++i) {
    bytes.writeInt16LE(Math.round(8000 * Math.sin(2 * Math.PI * frequency * i / rate)), 44 + i * 2);
  }
  fs.writeFileSync(file, bytes);
}

// The JPEG with an EXIF block whose orientation is 6: shown turned a quarter
// clockwise (ImageMagick writes no EXIF block of its own for a new picture).
function addExifOrientation(file, orientation) {
  const tiff = Buffer.alloc(26);
  tiff.write('II*\0', 0, 'latin1');
  tiff.writeUInt32LE(8, 4);      // the first directory
  tiff.writeUInt16LE(1, 8);      // one entry:
  tiff.writeUInt16LE(0x0112, 10);  // Orientation,
  tiff.writeUInt16LE(3, 12);       // a SHORT,
  tiff.writeUInt32LE(1, 14);       // one of them,
  tiff.writeUInt16LE(orientation, 18);
  tiff.writeUInt32LE(0, 22);     // no next directory
  const payload = Buffer.concat([Buffer.from('Exif\0\0', 'latin1'), tiff]);
  const segment = Buffer.alloc(4);
  segment.writeUInt16BE(0xFFE1, 0);
  segment.writeUInt16BE(payload.length + 2, 2);
  const jpeg = fs.readFileSync(file);
  fs.writeFileSync(file, Buffer.concat([jpeg.subarray(0, 2), segment, payload, jpeg.subarray(2)]));
}

function makePhotos(folder) {
  fs.mkdirSync(folder, {recursive: true});
  const photos = {
    // Wider than tall as stored; the orientation turns it upright (taller).
    jpeg: path.join(folder, 'harbour.jpg'),
    png: path.join(folder, 'balloon.png'),
    webp: path.join(folder, 'field.webp'),
    japanese: path.join(folder, '夏の海.png'),
  };
  convert(['-size', '480x320', 'gradient:#1e90ff-#ffd700', '-fill', '#c00000', '-draw',
           'rectangle 20,20 140,100', '-quality', '95', photos.jpeg]);
  addExifOrientation(photos.jpeg, 6);
  convert(['-size', '400x400', 'xc:none', '-fill', '#ff4080', '-draw', 'circle 200,200 200,40',
           '-fill', '#40c040', '-draw', 'rectangle 0,0 80,80', photos.png]);
  convert(['-size', '640x360', 'plasma:fractal', '-seed', '7', '-quality', '90', photos.webp]);
  convert(['-size', '360x240', 'gradient:#003366-#66ccff', '-fill', 'white', '-draw',
           'circle 180,120 180,60', photos.japanese]);
  photos.music = path.join(folder, 'tune.wav');
  photos.sound = path.join(folder, 'chime.wav');
  wav(photos.music, 1500, 440);
  wav(photos.sound, 300, 880);
  return photos;
}

module.exports = {makePhotos};
