#!/usr/bin/env python3
"""Writes the sample runs of samples/: plot data files of every plot type, as the solver tools
write them (CR LF line ends, numbers printed the tools' way: " .5", "-.5", " 1.25E-03"), plus
the output listing and source of the main sample. Run it from anywhere; it writes beside itself.

The data are computed, not invented: fitted curves come from their model with a little
deterministic noise, pole-zero runs from the transfer function their poles and zeros define.
"""

import cmath
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------- number printing

def num(x):
    """A number as the tools print it: seven significant digits, no leading zero before the
    point, scientific form ("1.25E-03") for very small and very large magnitudes, and a blank
    in front of a non-negative number."""
    if abs(x) < 1e-12:  # rounding dust of the computation
        return " 0"
    sign = "-" if x < 0 else " "
    a = abs(x)
    if a < 0.01 or a >= 1e7:
        mant, exp = f"{a:.6E}".split("E")
        mant = mant.rstrip("0").rstrip(".")
        e = int(exp)
        return f"{sign}{mant}E{'-' if e < 0 else '+'}{abs(e):02d}"
    digits = max(0, 6 - int(math.floor(math.log10(a))))
    text = f"{a:.{digits}f}"
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    if text.startswith("0."):
        text = text[1:]
    return sign + text


def nums(values):
    return " ".join(num(v) for v in values) + " "


class Noise:
    """A small linear congruential generator, so the samples come out the same every time."""

    def __init__(self, seed):
        self.state = seed

    def __call__(self, scale):
        self.state = (self.state * 1103515245 + 12345) % (1 << 31)
        return scale * (self.state / float(1 << 31) - 0.5)


def write(name, lines):
    with open(os.path.join(HERE, name), "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def frange(start, step, count):
    return [start + i * step for i in range(count)]


# ---------------------------------------------------------------- curve-fitting runs (1-6, other)

def fit_points(ts, model, data_of):
    """Data points of a fit: x, the measured value, the model minus the measurement."""
    rows = []
    for t in ts:
        y = data_of(t)
        rows.append(nums([t, y, model(t) - y]))
    return rows


def error_sum(ts, model, data_of):
    return sum((model(t) - data_of(t)) ** 2 for t in ts)


def fitting_file(name, plot_type, title, data_file, y0, params, model, ts, noise_scale, seed,
                 truth=None):
    noise = Noise(seed)
    truth = truth or model
    measured = {t: truth(t) + noise(noise_scale) for t in ts}
    data_of = measured.__getitem__
    terms = len(params[0])
    lines = [
        title,
        num(error_sum(ts, model, data_of)).strip(),
        "Fitmora (tm) curve fit, least squares",
        nums([plot_type, terms, len(ts)]),
        data_file,
        num(y0).strip(),
    ]
    for p in params:
        lines.append(nums(p))
    lines += fit_points(ts, model, data_of)
    write(name, lines)


def lorentzian(y0, a, pw, t0):
    return lambda t: y0 + sum(ai / (1 + (2 * (t - ti) / wi) ** 2) for ai, wi, ti in zip(a, pw, t0))


def modified_lorentzian(y0, a, b, pw, t0):
    def f(t):
        total = y0
        for ai, bi, wi, ti in zip(a, b, pw, t0):
            x = 2 * (t - ti) / wi
            total += (ai + bi * x) / (1 + x * x)
        return total
    return f


def exponential(y0, a, b):
    return lambda t: y0 + sum(ai * math.exp(bi * t) for ai, bi in zip(a, b))


def power(y0, a):
    return lambda t: y0 + sum(ai * t ** (i + 1) for i, ai in enumerate(a))


def sine(a, b, c):
    return lambda t: sum(ai * math.sin(bi * t + ci) for ai, bi, ci in zip(a, b, c))


def exp_sine(a, b, c, d):
    return lambda t: sum(ai * math.sin(bi * t + ci) * math.exp(di * t)
                         for ai, bi, ci, di in zip(a, b, c, d))


def write_fitting_samples():
    ts = frange(0.0, 0.1, 100)
    y0, a, pw, t0 = 0.05, [1.2, 0.75], [1.5, 0.8], [3.25, 6.5]
    fitting_file("lorentz2.plt", 1, "lorentz2", "lorentz2.dat", y0, [a, pw, t0],
                 lorentzian(y0, a, pw, t0), ts, 0.04, 11)

    ts = frange(-2.0, 0.1, 61)
    y0, a, b, pw, t0 = -0.1, [2.0], [0.5], [1.25], [0.5]
    fitting_file("modlor1.plt", 2, "modlor1", "asympeak.dat", y0, [a, b, pw, t0],
                 modified_lorentzian(y0, a, b, pw, t0), ts, 0.05, 23)

    # An exponential fit in two files: the initial settings (.plt) and the fit (.2lt).
    ts = frange(0.0, 0.25, 41)
    truth = exponential(0.5, [3.0, 1.5], [-0.8, -0.15])
    fitting_file("expdecay.plt", 3, "expdecay", "decay.dat", 0.4, [[2.5, 2.0], [-1.0, -0.2]],
                 exponential(0.4, [2.5, 2.0], [-1.0, -0.2]), ts, 0.03, 5, truth)
    fitting_file("expdecay.2lt", 3, "expdecay", "decay.dat", 0.5, [[3.0, 1.5], [-0.8, -0.15]],
                 truth, ts, 0.03, 5)

    ts = frange(-1.0, 0.05, 41)
    y0, a = 0.5, [2.0, -1.0, 0.25]
    fitting_file("power3.plt", 4, "power3", "poly.dat", y0, [a], power(y0, a), ts, 0.02, 31)

    ts = frange(0.0, 0.125, 81)
    a, b, c = [1.0, 0.35], [1.5, 4.5], [0.0, 0.7853982]
    fitting_file("sine2.plt", 5, "sine2", "waves.dat", 0.0, [a, b, c], sine(a, b, c), ts, 0.05, 7)

    ts = frange(0.0, 0.1, 101)
    a, b, c, d = [2.0], [3.0], [0.5], [-0.35]
    fitting_file("dampsine.plt", 6, "dampsine", "ringdown.dat", 0.0, [a, b, c, d],
                 exp_sine(a, b, c, d), ts, 0.04, 13)

    # A plot type the viewer does not know: no model section, the points follow the header.
    noise = Noise(17)
    lines = ["logistic", "1.7E-02", "Fitmora (tm) curve fit, user model", nums([7, 1, 30])]
    for t in frange(0.0, 0.5, 30):
        model = 4.0 / (1 + math.exp(-(t - 7.0)))
        y = model + noise(0.1)
        lines.append(nums([t, y, model - y]))
    write("logistic7.plt", lines)


# ---------------------------------------------------------------- ODE run (0)

def write_ode_sample():
    # y'' + .4 y' + 4 y = 0 with y(0) = 1, y'(0) = -.2: a damped oscillation.
    w = math.sqrt(4 - 0.04)
    lines = ["Damped oscillator", " 0", "Derivex (tm) ODE calculation",
             nums([0, 3, 121]),
             "y'' + .4*y' + 4*y = 0    ! damped spring, y(0)=1, y'(0)=-.2",
             nums([1, 0.4, 4])]
    for t in frange(0.0, 0.1, 121):
        y = math.exp(-0.2 * t) * math.cos(w * t)
        dy = math.exp(-0.2 * t) * (-0.2 * math.cos(w * t) - w * math.sin(w * t))
        lines.append(nums([t, y, dy]))
    write("oscill.plt", lines)


# ---------------------------------------------------------------- two-compartment run (110)

def write_dosivo_sample():
    k = [-0.45, 0.05, 0.3, -0.08]   # dA1/dt = k1 A1 + k2 A2; dA2/dt = k3 A1 + k4 A2
    a1, a2 = 100.0, 0.0
    dt, steps_per_row, rows = 0.01, 25, 97
    state = (a1, a2)
    points = []
    dt50 = None

    def deriv(s):
        return (k[0] * s[0] + k[1] * s[1], k[2] * s[0] + k[3] * s[1])

    t = 0.0
    for row in range(rows):
        points.append((t, state[0], state[1]))
        for _ in range(steps_per_row):
            k1 = deriv(state)
            k2 = deriv((state[0] + dt / 2 * k1[0], state[1] + dt / 2 * k1[1]))
            k3 = deriv((state[0] + dt / 2 * k2[0], state[1] + dt / 2 * k2[1]))
            k4 = deriv((state[0] + dt * k3[0], state[1] + dt * k3[1]))
            new = tuple(state[i] + dt / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]) for i in range(2))
            t += dt
            if dt50 is None and new[0] + new[1] <= 0.5 * (a1 + a2):
                dt50 = t
            state = new
    lines = ["Two-compartment dose", " 0", "Dosivo (tm) rate equations",
             nums([110, 2, rows]),
             "A1 = central, A2 = peripheral compartment",
             nums(k),
             nums([a1, a2, round(dt50, 2)])]
    for t, x, y in points:
        lines.append(nums([t, x, y]))
    write("dosivo.plt", lines)


# ---------------------------------------------------------------- pole-zero runs (-1, -2)

class PoleZeroRun:
    """Poles and zeros as the matching tools list them, and the transfer function they make."""

    def __init__(self, sigma_pole=None, poles=(), sigma_zero=None, sz_order=0, sz_paired=0,
                 omega_zeros=(), zero_pairs=(), zero_quads=()):
        self.sigma_pole = sigma_pole
        self.poles = list(poles)              # (re, im) of each pole pair, im >= 0
        self.sigma_zero = sigma_zero
        self.sz_order, self.sz_paired = sz_order, sz_paired
        self.omega_zeros = list(omega_zeros)
        self.zero_pairs = list(zero_pairs)    # (re, im)
        self.zero_quads = list(zero_quads)    # (re, im)
        self.gain = 1.0

    def pole_list(self):
        ps = [complex(self.sigma_pole, 0)] if self.sigma_pole is not None else []
        for re, im in self.poles:
            ps += [complex(re, im), complex(re, -im)] if im != 0 else [complex(re, 0)]
        return ps

    def zero_list(self):
        zs = []
        if self.sigma_zero is not None:
            single = [complex(self.sigma_zero, 0)]
            if self.sz_paired:
                single.append(complex(-self.sigma_zero, 0))
            zs += single * (2 if self.sz_order else 1)
        for w in self.omega_zeros:
            zs += [complex(0, w), complex(0, -w)]
        for re, im in self.zero_pairs:
            zs += [complex(re, im), complex(re, -im)]
        for re, im in self.zero_quads:
            zs += [complex(s1 * re, s2 * im) for s1 in (1, -1) for s2 in (1, -1)]
        return zs

    def h(self, s):
        value = complex(self.gain)
        for z in self.zero_list():
            value *= s - z
        for p in self.pole_list():
            value /= s - p
        return value

    def normalise_dc(self):
        self.gain = 1.0 / abs(self.h(0j))

    def group_delay(self, w):
        tau = 0.0
        for z in self.zero_list():
            tau += z.real / (z.real ** 2 + (w - z.imag) ** 2)
        for p in self.pole_list():
            tau -= p.real / (p.real ** 2 + (w - p.imag) ** 2)
        return tau

    def impulse(self, t):
        """h(t) from the residues at the (simple) poles."""
        ps = self.pole_list()
        total = 0j
        for k, p in enumerate(ps):
            residue = complex(self.gain)
            for z in self.zero_list():
                residue *= p - z
            for j, q in enumerate(ps):
                if j != k:
                    residue /= p - q
            total += residue * cmath.exp(p * t)
        return total.real

    def section(self, delay_matched, listed_poles, gain_text):
        lines = [nums([delay_matched, 0.5, 1, 0])]
        lines.append(nums([1 if self.sigma_pole is not None else 0, len(listed_poles)]))
        if self.sigma_pole is not None:
            lines.append(num(self.sigma_pole))
        lines.append(nums([p[0] for p in listed_poles]))
        lines.append(nums([p[1] for p in listed_poles]))
        if self.sigma_zero is not None:
            lines.append(num(1))
            lines.append(nums([self.sigma_zero, self.sz_order, self.sz_paired]))
        else:
            lines.append(num(0))
        lines.append(nums([len(self.omega_zeros), len(self.zero_pairs), len(self.zero_quads)]))
        if self.omega_zeros:
            lines.append(nums(self.omega_zeros))
        complex_zeros = self.zero_pairs + self.zero_quads
        if complex_zeros:
            lines.append(nums([z[0] for z in complex_zeros]))
            lines.append(nums([z[1] for z in complex_zeros]))
        lines.append(gain_text)
        lines.append(nums([0, 0]))
        return lines


def block(title, rows):
    return [title, num(len(rows))] + [nums(r) for r in rows]


def pole_zero_file(name, plot_type, title, run, delay_matched, listed_poles, points,
                   passband, stopband, seed):
    noise = Noise(seed)
    header = [title, num(0).strip(), "Tunewave (tm) frequency match" if plot_type == -2
              else "Tunepulse (tm) pulse match",
              nums([plot_type, len(listed_poles), len(points)])]
    gain_text = num(run.gain).strip()
    lines = header + run.section(delay_matched, listed_poles, gain_text)
    err = 0.0
    for x, target in points:
        got = abs(run.h(1j * x)) if plot_type == -2 else run.impulse(x)
        got += noise(0.002)
        err += (got - target) ** 2
        lines.append(nums([x, target, got - target]))
    lines[1] = num(err).strip()
    if len(run.omega_zeros) > 1:
        peak = max(abs(run.h(1j * w)) for w in frange(0, 0.01, 101))
        rows = [(w, 20 * math.log10(max(abs(run.h(1j * w)), 1e-12) / peak))
                for w in frange(stopband[0], (stopband[1] - stopband[0]) / 60, 61)]
        lines += block("Sidelobe ripple, dB", rows)
    if delay_matched == 1:
        ws = frange(passband[0], (passband[1] - passband[0]) / 40, 41)
        taus = [run.group_delay(w) for w in ws]
        mean = sum(taus) / len(taus)
        lines += block("Group delay ripple", [(w, tau - mean) for w, tau in zip(ws, taus)])
    lines += block("Impulse response h(t)", [(t, run.impulse(t)) for t in frange(0, 0.25, 81)])
    write(name, lines)


def write_pole_zero_samples():
    # Tunewave: a fifth-order elliptic-like low-pass with two stop-band notches; the group delay
    # was matched too, so the file holds side-lobe, ripple and impulse-response blocks.
    run = PoleZeroRun(sigma_pole=-0.4565, poles=[(-0.1043, 1.0053), (-0.3067, 0.7126)],
                      omega_zeros=[1.3524, 2.1086])
    run.normalise_dc()
    points = [(w, 1.0 if w <= 1.0 else 0.0) for w in frange(0, 0.05, 61)]
    pole_zero_file("tunewave.plt", -2, "Elliptic low-pass, 5 poles", run, 1,
                   [(-0.3067, 0.7126), (-0.1043, 1.0053)], points, (0, 1), (1.2, 3.0), 41)

    # Tunepulse: a delay-equalised pulse shaper with a sigma-axis pole, a paired sigma-axis
    # doublet, two zero pairs and one zero quad; poles listed as the tool left them (unsorted).
    run = PoleZeroRun(sigma_pole=-1.2,
                      poles=[(-0.35, 2.4), (-0.9, 0.6), (-0.6, 1.5), (-0.45, 3.1),
                             (-0.8, 3.9), (-0.7, 1.0)],
                      sigma_zero=-2.5, sz_order=1, sz_paired=1,
                      zero_pairs=[(0.5, 4.0), (-0.25, 5.5)], zero_quads=[(1.0, 2.0)])
    run.normalise_dc()
    listed = run.poles[:]
    run.poles.sort(key=lambda p: p[1])
    points = []
    noise = Noise(3)
    for t in frange(0, 0.2, 61):
        points.append((t, run.impulse(t) + noise(0.01)))
    pole_zero_file("pulseqz.plt", -1, "Equalised pulse shaper", run, 1, listed, points,
                   (0, 3), (0, 0), 43)

    # The smallest pole-zero run: two poles, one omega-axis zero, nothing else; only the
    # impulse-response block follows the points.
    run = PoleZeroRun(poles=[(-0.5, 0.4), (-0.25, 1.2)], omega_zeros=[2.5])
    run.normalise_dc()
    points = [(t, run.impulse(t)) for t in frange(0, 0.25, 41)]
    pole_zero_file("tunepulse.plt", -1, "Two-pole pulse", run, 0, run.poles, points,
                   (0, 1), (0, 0), 47)


# ---------------------------------------------------------------- the main sample's companions

def write_lorentz_companions():
    write("lorentz2.qz", [
        "! lorentz2.qz: two Lorentzian peaks fitted to a measured spectrum line",
        "TITLE 'lorentz2'",
        "DATA   t, y FROM 'lorentz2.dat'",
        "MODEL  y = y0 + SUM(i=1,2; a(i) / (1 + (2*(t - t0(i))/pw50(i))^2))",
        "GUESS  y0 = 0; a = 1, .5; pw50 = 1, 1; t0 = 3, 7",
        "FIT    y0, a, pw50, t0  BY LEASTSQUARES",
        "PLOT   'lorentz2.plt'",
        "END",
    ])
    write("lorentz2.out", [
        "",
        " Fitmora (tm) curve fit of lorentz2.dat",
        " ======================================",
        "   Model: Lorentzian series, 2 terms, 100 points",
        "   Iterations:        14",
        "   Final error sum:   " + num(error_sum_of_lorentz()).strip(),
        "",
        "   y0   =  .05",
        "   a    =  1.2       .75",
        "   pw50 =  1.5       .8",
        "   t0   =  3.25      6.5",
        "",
        " Normal end of run.",
    ])


def error_sum_of_lorentz():
    with open(os.path.join(HERE, "lorentz2.plt"), newline="") as f:
        return float(f.read().split("\r\n")[1])


def main():
    write_fitting_samples()
    write_ode_sample()
    write_dosivo_sample()
    write_pole_zero_samples()
    write_lorentz_companions()


if __name__ == "__main__":
    main()
