"""Writes the SVG sources of Brenvale's logo pictures for the acknowledgments page:

  frame00.svg ... frame19.svg  the emblem of logo2.svg (the sun rising over a valley
                               that opens out of a book) with the sun's twelve rays
                               turning: each frame turns them 1.5 degrees, so the
                               twenty frames turn them by exactly one ray's spacing
                               and the loop has no seam. 120 x 120 pixels.
  brenvale2.svg                the name, its gold rule and PUBLISHING, as in
                               logo2.svg, to stand under the emblem. 160 x 80 pixels,
                               the size of logo2.jpg.

Both are drawn on the acknowledgments page's blue (49, 130, 212).

    python3 logo.py OUTPUT_FOLDER
"""

import os
import sys

FRAMES = 20
RAYS = 12
BACKGROUND = '#3182d4'  # (49, 130, 212)

DEFS = '''  <defs>
    <radialGradient id="disc" cx="0.5" cy="0.62" r="0.6">
      <stop offset="0" stop-color="#fbe7a6"/>
      <stop offset="0.55" stop-color="#9cc3e6"/>
      <stop offset="1" stop-color="#4f7cc4"/>
    </radialGradient>
    <radialGradient id="sun" cx="0.5" cy="0.7" r="0.7">
      <stop offset="0" stop-color="#fff6cf"/>
      <stop offset="0.5" stop-color="#ffd257"/>
      <stop offset="1" stop-color="#f29a1e"/>
    </radialGradient>
    <radialGradient id="halo" cx="0.5" cy="0.5" r="0.5">
      <stop offset="0" stop-color="#fff3b8" stop-opacity="0.9"/>
      <stop offset="1" stop-color="#fff3b8" stop-opacity="0"/>
    </radialGradient>
    <linearGradient id="hillL" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#8fd067"/>
      <stop offset="1" stop-color="#3f8a3a"/>
    </linearGradient>
    <linearGradient id="hillR" x1="1" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#6fb552"/>
      <stop offset="1" stop-color="#2c6a2e"/>
    </linearGradient>
    <linearGradient id="pageL" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#ffffff"/>
      <stop offset="1" stop-color="#e3e0d6"/>
    </linearGradient>
    <linearGradient id="pageR" x1="1" y1="0" x2="0" y2="0">
      <stop offset="0" stop-color="#f4f1e8"/>
      <stop offset="1" stop-color="#d3cfc2"/>
    </linearGradient>
    <linearGradient id="goldRing" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#ffe48a"/>
      <stop offset="0.5" stop-color="#e0aa36"/>
      <stop offset="1" stop-color="#b07a1a"/>
    </linearGradient>
    <linearGradient id="word" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/>
      <stop offset="1" stop-color="#e4e9f7"/>
    </linearGradient>
    <linearGradient id="goldRule" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#e0aa36" stop-opacity="0"/>
      <stop offset="0.2" stop-color="#f3cf6a"/>
      <stop offset="0.8" stop-color="#f3cf6a"/>
      <stop offset="1" stop-color="#e0aa36" stop-opacity="0"/>
    </linearGradient>
    <clipPath id="inDisc">
      <circle cx="38" cy="38" r="27"/>
    </clipPath>
  </defs>
'''


def frame(index):
    turn = index * (360.0 / RAYS) / FRAMES
    rays = '\n'.join(
        '      <path d="M38,28 L38,15.5" transform="rotate(%.3f 38 40)"/>' % (turn + k * 360.0 / RAYS)
        for k in range(RAYS))
    return '''<?xml version="1.0" encoding="UTF-8"?>
<!-- Brenvale's emblem, frame %(index)d of %(frames)d: made by content/logo/logo.py -->
<svg xmlns="http://www.w3.org/2000/svg" width="120" height="120" viewBox="6 6 64 64">
%(defs)s
  <rect x="6" y="6" width="64" height="64" fill="%(background)s"/>
  <circle cx="38" cy="38" r="27" fill="url(#disc)"/>
  <g clip-path="url(#inDisc)">
    <circle cx="38" cy="40" r="19" fill="url(#halo)"/>
    <g stroke="#ffd96a" stroke-width="2.1" stroke-linecap="round" opacity="0.95">
%(rays)s
    </g>
    <circle cx="38" cy="40" r="10" fill="url(#sun)"/>
    <path d="M8,38 C16,34 24,36 31,43 C34,46 36,49 38,52 L38,70 L8,70 Z" fill="url(#hillL)"/>
    <path d="M68,36 C60,33 52,36 45,43 C42,46 40,49 38,52 L38,70 L68,70 Z" fill="url(#hillR)"/>
    <path d="M10,44 C18,42 25,45 30,50" stroke="#b6e48f" stroke-width="1" fill="none" opacity="0.7"/>
    <path d="M38,50 C36.5,53 39.5,55 37.4,58 L39.6,58 C41.5,55 38.6,53 38,50 Z" fill="#cfe9ff"/>
  </g>
  <path d="M13,52 C21,49 31,50 38,55 L38,66 C31,61.5 21,61 13,63 Z" fill="url(#pageL)"/>
  <path d="M63,52 C55,49 45,50 38,55 L38,66 C45,61.5 55,61 63,63 Z" fill="url(#pageR)"/>
  <path d="M13,63 C21,61 31,61.5 38,66 C45,61.5 55,61 63,63 L63,65 C55,63 45,63.5 38,68 C31,63.5 21,63 13,65 Z" fill="#b3262c"/>
  <g stroke="#9aa3b8" stroke-width="0.6" fill="none">
    <path d="M17,55.5 C23,54 29,55 34,57.5"/><path d="M17,58.5 C23,57 29,58 34,60.5"/>
    <path d="M59,55.5 C53,54 47,55 42,57.5"/><path d="M59,58.5 C53,57 47,58 42,60.5"/>
  </g>
  <path d="M38,55 L38,66" stroke="#8c8778" stroke-width="0.8"/>
  <circle cx="38" cy="38" r="27.5" fill="none" stroke="url(#goldRing)" stroke-width="2.2"/>
</svg>
''' % {'index': index, 'frames': FRAMES, 'defs': DEFS, 'background': BACKGROUND, 'rays': rays}


def wordmark():
    return '''<?xml version="1.0" encoding="UTF-8"?>
<!-- Brenvale's name for under the animated emblem: made by content/logo/logo.py -->
<svg xmlns="http://www.w3.org/2000/svg" width="160" height="80" viewBox="0 0 80 40">
%(defs)s
  <rect width="80" height="40" fill="%(background)s"/>
  <text x="40" y="21.5" text-anchor="middle" font-family="P052" font-weight="bold"
        font-size="16" letter-spacing="0.3" fill="url(#word)">Brenvale</text>
  <rect x="6" y="25.4" width="68" height="1.1" fill="url(#goldRule)"/>
  <text x="40" y="33.6" text-anchor="middle" font-family="DejaVu Sans" font-weight="bold"
        font-size="5.2" letter-spacing="1.7" fill="#f3d27a">PUBLISHING</text>
</svg>
''' % {'defs': DEFS, 'background': BACKGROUND}


def main(out):
    os.makedirs(out, exist_ok=True)
    for i in range(FRAMES):
        with open(os.path.join(out, 'frame%02d.svg' % i), 'w') as f:
            f.write(frame(i))
    with open(os.path.join(out, 'brenvale2.svg'), 'w') as f:
        f.write(wordmark())


if __name__ == '__main__':
    main(sys.argv[1])
