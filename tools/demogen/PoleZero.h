// Transfer functions given by poles and zeros, as the two matching tools describe their
// filters: H(s) = Gain * prod(s - zero) / prod(s - pole). Conjugate pairs are stored once,
// with the imaginary part above 0; zeros on the omega axis stand for the pair +-jw; a zero
// pair a +- jb; a zero quad +-a +- jb; the sigma-axis zero, optionally doubled (order 1) and
// mirrored (paired).
#pragma once

#include "tools/demogen/Numerics.h"

#include <complex>
#include <vector>

namespace demogen {

using Complex = std::complex<double>;

struct PoleZeroSet {
    bool HasSigmaPole = false;
    double SigmaPole = 0;
    Vec PoleRe, PoleIm;
    bool HasSigmaZero = false;
    double SigmaZero = 0;
    int SigmaZeroOrder = 0;
    bool SigmaZeroPaired = false;
    Vec OmegaZeros;
    Vec ZeroRe, ZeroIm;     // the pairs first, then the quads
    int ZeroPairCount = 0;
    int ZeroQuadCount = 0;
    double Gain = 1;

    std::vector<Complex> Poles() const;
    std::vector<Complex> Zeros() const;
    // Every location multiplied by a (a frequency scaling of the filter); the gain is kept.
    PoleZeroSet Scaled(double a) const;
};

Complex Response(const PoleZeroSet& f, Complex s);
inline double Magnitude(const PoleZeroSet& f, double w) { return std::abs(Response(f, Complex(0, w))); }
// -d(phase)/dw at s = jw, from the pole and zero locations.
double GroupDelay(const PoleZeroSet& f, double w);
// Inverse Laplace transform by residues; needs distinct poles and fewer zeros than poles.
double ImpulseResponse(const PoleZeroSet& f, double t);

// Roots of a polynomial given by its coefficients c[0] + c[1] s + ... (Durand-Kerner).
std::vector<Complex> PolynomialRoots(const Vec& coefficients);
// Poles of the Bessel (maximally flat delay) filter of order n with a delay of 1 at s = 0.
PoleZeroSet BesselPoles(int order);
// Poles of the Chebyshev filter of order n with the given pass-band ripple in dB, band edge 1.
PoleZeroSet ChebyshevPoles(int order, double rippleDb);

}  // namespace demogen
