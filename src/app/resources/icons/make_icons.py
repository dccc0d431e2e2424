#!/usr/bin/env python3
# Draws the 16 x 15 toolbar icons as XPM files: run from this folder.
W, H = 16, 15
COLORS = {'.': 'None', 'k': '#000000', 'd': '#404040', 'g': '#808080', 'l': '#C0C0C0', 'w': '#FFFFFF',
          'r': '#D00000', 'G': '#009000', 'b': '#0030D0', 'y': '#F0C000', 'c': '#008080', 'o': '#F08000'}
FONT = {  # 3 x 5 glyphs
    'F': ['kkk', 'k..', 'kk.', 'k..', 'k..'], 'T': ['kkk', '.k.', '.k.', '.k.', '.k.'],
    'L': ['k..', 'k..', 'k..', 'k..', 'kkk'], 'P': ['kk.', 'k.k', 'kk.', 'k..', 'k..'],
    'S': ['.kk', 'k..', '.k.', '..k', 'kk.'], '1': ['.k.', 'kk.', '.k.', '.k.', 'kkk'],
    '?': ['kk.', '..k', '.k.', '...', '.k.'], 'i': ['.k.', '...', 'kk.', '.k.', 'kkk'],
}


class Icon:
    def __init__(self):
        self.p = [['.'] * W for _ in range(H)]

    def px(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.p[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.px(x, y, c)

    def rect(self, x0, y0, x1, y1, c, dotted=False):
        for x in range(x0, x1 + 1):
            if not dotted or (x - x0) % 2 == 0:
                self.px(x, y0, c), self.px(x, y1, c)
        for y in range(y0, y1 + 1):
            if not dotted or (y - y0) % 2 == 0:
                self.px(x0, y, c), self.px(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.px(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def text(self, x, y, s, c='k'):
        for ch in s:
            for row, bits in enumerate(FONT[ch]):
                for col, b in enumerate(bits):
                    if b != '.':
                        self.px(x + col, y + row, c)
            x += 4

    def save(self, name):
        used = sorted({c for row in self.p for c in row})
        with open(name + '.xpm', 'w') as f:
            f.write('/* XPM */\nstatic const char* %s[] = {\n"%d %d %d 1",\n' % (name, W, H, len(used)))
            for c in used:
                f.write('"%s c %s",\n' % (c, COLORS[c]))
            f.write(',\n'.join('"%s"' % ''.join(row) for row in self.p) + '};\n')


def page(i, x0=2, y0=0, x1=12, y1=14):
    i.fill(x0, y0, x1, y1, 'w')
    i.rect(x0, y0, x1, y1, 'k')
    for k in range(4):
        i.px(x1 - k, y0, '.') if k else None
    i.line(x1 - 3, y0, x1, y0 + 3, 'k')
    i.fill(x1 - 2, y0, x1, y0 + 2, '.')
    i.line(x1 - 3, y0, x1, y0 + 3, 'k')
    i.line(x1 - 3, y0, x1 - 3, y0 + 3, 'k')
    i.line(x1 - 3, y0 + 3, x1, y0 + 3, 'k')


def glass(i, sign):
    i.fill(2, 1, 9, 8, 'w')
    i.rect(1, 2, 10, 7, 'k'), i.rect(2, 1, 9, 8, 'k')
    i.fill(2, 2, 9, 7, 'w')
    for k in range(4):
        i.line(9 + k, 8 + k, 10 + k, 8 + k, 'd')
        i.line(9 + k, 9 + k, 10 + k, 9 + k, 'd')
    if sign in '+-':
        i.line(3, 4, 8, 4, 'k'), i.line(3, 5, 8, 5, 'k')
    if sign == '+':
        i.line(5, 3, 5, 6, 'k'), i.line(6, 3, 6, 6, 'k')
    if sign == '1':
        i.text(4, 2, '1')


def two_squares(i, op):
    i.fill(0, 0, 6, 6, 'b'), i.fill(9, 0, 15, 6, 'G')
    op(i)


def icons():
    out = {}
    i = Icon(); page(i); out['new'] = i
    i = Icon(); i.fill(0, 3, 6, 4, 'y'); i.fill(0, 4, 13, 13, 'y'); i.rect(0, 4, 13, 13, 'k')
    i.line(1, 3, 5, 3, 'k'); i.fill(3, 7, 15, 13, 'o'); i.line(3, 7, 15, 7, 'k'); i.line(0, 13, 3, 7, 'k')
    i.line(15, 7, 12, 13, 'k'); i.line(0, 13, 12, 13, 'k'); out['open'] = i
    i = Icon(); i.fill(1, 1, 14, 14, 'b'); i.rect(1, 1, 14, 14, 'k'); i.fill(4, 1, 11, 6, 'w')
    i.fill(4, 9, 11, 14, 'l'); i.fill(8, 10, 9, 13, 'k'); out['save'] = i
    i = Icon(); i.line(3, 8, 6, 5, 'b'); i.line(3, 8, 6, 11, 'b'); i.line(4, 8, 11, 8, 'b')
    i.line(11, 8, 13, 10, 'b'); i.line(13, 10, 13, 12, 'b'); i.line(4, 7, 6, 5, 'b'); i.line(4, 9, 6, 11, 'b')
    i.line(4, 9, 11, 9, 'b'); out['undo'] = i
    i = Icon(); page(i, 0, 0, 8, 10); page(i, 6, 4, 14, 14); out['copy'] = i
    i = Icon(); i.fill(1, 2, 11, 14, 'o'); i.rect(1, 2, 11, 14, 'k'); i.fill(4, 0, 8, 3, 'l'); i.rect(4, 0, 8, 3, 'k')
    page(i, 6, 6, 15, 14); out['paste'] = i
    i = Icon()
    for k in range(9):
        i.line(4, 2 + k, 4 + k, 2 + k, 'k') if k < 8 else None
    i.line(7, 9, 9, 13, 'k'); i.line(8, 9, 10, 13, 'k'); out['feature'] = i
    i = Icon(); i.fill(1, 2, 14, 12, 'w'); i.rect(1, 2, 14, 12, 'r', dotted=True); i.fill(5, 5, 10, 9, 'g')
    out['aoi'] = i
    i = Icon(); i.line(1, 12, 13, 2, 'c'); i.line(0, 11, 2, 13, 'k'); i.line(12, 1, 14, 3, 'k')
    i.line(1, 12, 0, 12, 'c'); out['measure'] = i
    for name, sign in (('zoomin', '+'), ('zoomout', '-'), ('zoom11', '1')):
        i = Icon(); glass(i, sign); out[name] = i
    i = Icon(); i.fill(3, 0, 12, 14, 'w'); i.rect(3, 0, 12, 14, 'k'); i.text(6, 2, 'i', 'b')
    for y in (9, 11):
        i.line(5, y, 10, y, 'g')
    out['attributes'] = i
    i = Icon(); i.fill(1, 1, 4, 13, 'r'); i.fill(6, 1, 9, 13, 'G'); i.fill(11, 1, 14, 13, 'b'); out['rgb'] = i
    i = Icon()
    for k, c in enumerate('kdglw'):
        i.fill(1 + 3 * k, 1, 3 + 3 * k, 13, c)
    i.rect(0, 0, 15, 14, 'k'); out['grayscale'] = i
    i = Icon(); i.fill(0, 0, 15, 4, 'r'); i.fill(0, 5, 15, 9, 'G'); i.fill(0, 10, 15, 14, 'b')
    i.fill(1, 1, 3, 3, 'w'); i.fill(1, 6, 3, 8, 'w'); i.fill(1, 11, 3, 13, 'w'); out['extractrgb'] = i
    i = Icon(); i.rect(1, 1, 14, 13, 'b'); i.rect(2, 2, 13, 12, 'b'); i.text(5, 4, '?', 'b')
    i.text(6, 4, '?', 'b'); out['about'] = i
    i = Icon()
    for k in range(8):
        i.line(1, 1 + k, 1 + k, 1 + k, 'k') if k < 7 else None
    i.line(3, 7, 5, 11, 'k'); i.text(10, 6, '?', 'b'); i.text(11, 6, '?', 'b'); out['contexthelp'] = i
    i = Icon(); i.fill(0, 0, 15, 14, 'g'); i.fill(4, 4, 11, 10, 'w'); i.rect(4, 4, 11, 10, 'r', dotted=True)
    out['bound'] = i
    i = Icon()
    for k in range(8):
        h = [3, 5, 8, 11, 12, 9, 6, 4][k]
        i.fill(k * 2, 14 - h, k * 2 + 1, 14, 'y' if 2 <= k <= 5 else 'g')
    out['slice'] = i
    i = Icon(); i.fill(1, 1, 7, 13, 'k'); i.fill(8, 1, 14, 13, 'w'); i.rect(1, 1, 14, 13, 'k')
    i.fill(3, 5, 5, 9, 'w'); i.fill(10, 5, 12, 9, 'k'); out['invert'] = i
    i = Icon(); i.line(0, 13, 7, 13, 'k'); i.line(7, 2, 7, 13, 'k'); i.line(7, 2, 15, 2, 'k')
    i.line(0, 7, 15, 7, 'r'); out['threshold'] = i
    i = Icon(); i.line(0, 12, 15, 12, 'g'); i.line(0, 11, 6, 11, 'b'); i.line(7, 1, 7, 11, 'b')
    i.line(8, 1, 8, 11, 'b'); i.line(9, 11, 15, 11, 'b'); out['highpass'] = i
    i = Icon(); i.line(0, 12, 15, 12, 'g')
    for x, y in zip(range(16), [11, 11, 10, 9, 7, 5, 4, 3, 3, 4, 5, 7, 9, 10, 11, 11]):
        i.px(x, y, 'b'), i.px(x, y - 1, 'b') if 3 < x < 12 else None
    out['lowpass'] = i
    i = Icon(); i.fill(0, 2, 15, 12, 'k'); i.text(1, 5, 'F', 'w'); i.text(5, 5, 'F', 'w'); i.text(9, 5, 'T', 'w')
    out['fft'] = i
    ops = {
        'add': lambda i: (i.fill(5, 9, 10, 10, 'k'), i.fill(7, 7, 8, 12, 'k')),
        'subtract': lambda i: i.fill(5, 9, 10, 10, 'k'),
        'absdiff': lambda i: (i.fill(6, 9, 9, 10, 'k'), i.line(4, 7, 4, 12, 'k'), i.line(11, 7, 11, 12, 'k')),
        'multiply': lambda i: (i.line(5, 7, 10, 12, 'k'), i.line(5, 12, 10, 7, 'k'), i.line(6, 7, 11, 12, 'k'),
                               i.line(6, 12, 11, 7, 'k')),
        'divide': lambda i: (i.fill(5, 9, 10, 10, 'k'), i.fill(7, 7, 8, 7, 'k'), i.fill(7, 12, 8, 12, 'k')),
    }
    for name, op in ops.items():
        i = Icon(); two_squares(i, op); out[name] = i
    i = Icon(); i.line(3, 0, 3, 11, 'k'); i.line(0, 3, 11, 3, 'k'); i.line(3, 11, 14, 11, 'k')
    i.line(11, 3, 11, 14, 'k'); i.fill(4, 4, 10, 10, 'y'); out['crop'] = i
    i = Icon(); i.line(7, 0, 7, 14, 'g')
    for k in range(6):
        i.line(5 - k, 7 - k, 5 - k, 7 + k, 'b'); i.line(9 + k, 7 - k, 9 + k, 7 + k, 'l')
    out['fliph'] = i
    i = Icon(); i.line(0, 7, 15, 7, 'g')
    for k in range(6):
        i.line(8 - k, 5 - k, 8 + k, 5 - k, 'b'); i.line(8 - k, 9 + k, 8 + k, 9 + k, 'l')
    out['flipv'] = i
    i = Icon()
    for x, y in [(7, 1), (8, 1), (9, 1), (10, 2), (11, 3), (12, 4), (12, 5), (12, 6), (12, 7), (12, 8), (11, 9),
                 (10, 10), (9, 11), (8, 11), (7, 11), (6, 11), (5, 10), (4, 9), (3, 8), (3, 7), (3, 6), (3, 5),
                 (4, 4), (5, 3), (6, 2)]:
        i.px(x, y, 'b'), i.px(x, y + 1, 'b')
    i.fill(1, 1, 6, 2, 'w'); i.line(2, 3, 6, 3, 'b'); i.line(4, 1, 4, 5, 'b'); i.line(3, 2, 3, 4, 'b')
    i.line(5, 2, 5, 4, 'b'); out['rotate'] = i
    i = Icon(); i.rect(0, 0, 15, 14, 'b'); i.fill(1, 1, 14, 13, 'w'); i.rect(0, 0, 15, 14, 'b')
    i.fill(1, 9, 5, 13, 'g'); i.line(6, 8, 12, 2, 'k'); i.line(9, 2, 12, 2, 'k'); i.line(12, 2, 12, 5, 'k')
    out['scale'] = i
    for name, letter in (('laplace', 'L'), ('prewitt', 'P'), ('sobel', 'S')):
        i = Icon(); i.fill(0, 0, 7, 14, 'd'); i.fill(8, 0, 15, 14, 'l'); i.line(8, 0, 8, 14, 'w')
        i.fill(9, 4, 13, 10, 'w'); i.text(10, 5, letter, 'k'); out[name] = i
    i = Icon(); i.line(0, 14, 15, 14, 'k')
    for k, h in enumerate([2, 4, 7, 11, 13, 9, 5, 3]):
        i.fill(k * 2, 14 - h, k * 2, 13, 'b')
    out['histogram'] = i
    i = Icon(); i.fill(0, 0, 15, 14, 'w'); i.fill(2, 2, 6, 6, 'k'); i.fill(9, 7, 13, 12, 'k')
    i.rect(1, 1, 7, 7, 'r'); i.rect(8, 6, 14, 13, 'r'); out['findobjects'] = i
    i = Icon(); i.fill(0, 0, 15, 14, 'w'); i.fill(4, 4, 10, 10, 'k'); i.rect(3, 3, 11, 11, 'r')
    i.line(1, 1, 13, 13, 'r'); i.line(2, 1, 14, 13, 'r'); out['clearobjects'] = i
    i = Icon(); i.fill(0, 0, 15, 14, 'k'); i.fill(1, 1, 14, 13, 'd')
    for x, y, c in [(4, 4, 'w'), (10, 6, 'l'), (6, 10, 'g')]:
        i.fill(x - 1, y - 2, x + 1, y + 2, c); i.fill(x - 2, y - 1, x + 2, y + 1, c)
    i.rect(7, 2, 13, 8, 'r', dotted=True); out['app'] = i
    return out


for name, icon in icons().items():
    icon.save(name)
