"""Tables and rules shared by the hand calculations: GB 50017-2003 steel, GB 50010 concrete, the
anchor-bolt areas, the plate coefficients and the roundings of the weld legs."""
import math

# GB 50017-2003 and GB 50010 values used below.
CONCRETE = {"C25": (11.9, 28000), "C30": (14.3, 30000), "C35": (16.7, 31500), "C40": (19.1, 32500)}
BOLT_FTA = {"Q235": 140, "Q345": 180}
BOLT_AREA = {20: 245, 24: 353, 27: 459, 30: 561, 33: 694, 36: 817, 39: 976, 42: 1121, 45: 1306, 48: 1473, 52: 1758,
             56: 2030, 60: 2362, 64: 2676, 68: 3055, 72: 3460, 76: 3889, 80: 4344}
# Detailing distances a and c of the plate layout by bolt diameter; lt = bt = 2d + 4.
BOLT_AC = {20: (50, 60), 24: (60, 70), 27: (70, 70), 30: (75, 75), 33: (85, 75), 36: (90, 80), 39: (100, 85),
           42: (105, 85), 45: (110, 90), 48: (120, 90), 52: (130, 100), 56: (140, 105), 60: (150, 110), 64: (160, 120),
           68: (170, 130), 72: (180, 140)}
BOLT_SIZES = [20, 22, 24, 27, 30, 33, 36, 39, 42, 45, 48, 52, 56, 60, 64, 68, 72, 76, 80]
FCT = {"C25": 1.27, "C30": 1.43, "C35": 1.57, "C40": 1.71}
STEEL = {  # fy, ffw, bands of (upper thickness, f, fv)
    "Q235": (235, 160, [(16, 215, 125), (40, 205, 120), (60, 200, 115), (100, 190, 110)]),
    "Q345": (345, 200, [(16, 310, 180), (35, 295, 170), (50, 265, 155), (100, 250, 145)]),
}
ES = 2.06e5
BETA_F = 1.22
ALF = [(0.3, 0.027), (0.35, 0.036), (0.55, 0.068), (0.6, 0.075), (0.7, 0.087), (0.8, 0.097), (0.95, 0.109),
       (1.0, 0.112), (1.1, 0.117), (1.2, 0.121), (1.3, 0.124), (1.5, 0.128), (2.0, 0.132)]
BETA = [(1.0, 0.048), (1.05, 0.052), (1.1, 0.055), (1.2, 0.063), (1.55, 0.084), (1.6, 0.086), (1.65, 0.089),
        (1.9, 0.099), (2.0, 0.102)]


def interpolate(points, r, outside):
    if r == points[0][0]:
        return points[0][1]
    for (r0, k0), (r1, k1) in zip(points, points[1:]):
        if r0 < r <= r1:
            return k0 + (r - r0) * (k1 - k0) / (r1 - r0)
    return outside


def band(grade, t):
    """f, fv for a part of thickness t in bending and shear."""
    bands = STEEL[grade][2]
    for upper, f, fv in bands:
        if t <= upper:
            return f, fv
    return bands[-1][1], bands[-1][2]


def plate_group_strength(grade, t):
    """The base plate's strength by the thickness group it falls in (groups above 16 mm)."""
    bands = STEEL[grade][2][1:]
    for upper, f, _ in bands[:-1]:
        if t <= upper:
            return f
    return bands[-1][1]


def thickness_in_group(grade, need):
    """A plate thickness need(f) worked with the f of the thickness group it falls in."""
    f = plate_group_strength(grade, 0)
    t = need(f)
    while plate_group_strength(grade, t) != f:
        f = plate_group_strength(grade, t)
        t = need(f)
    return t, f


def layout(entries, cbsize, dms):
    """a, c, lt, bt from the bolt table, or the user's sizes."""
    if cbsize:
        return BOLT_AC[dms] + (2 * dms + 4, 2 * dms + 4)
    return tuple(float(entries[k]) for k in ("Edtsizea", "Edtsizec", "Edtsizelt", "Edtsizebt"))


def whole_up(x):
    """Up to a whole millimetre, a tenth of a millimetre left to the rounding."""
    return math.trunc(x + 0.9)


def even_up(x):
    return math.trunc((x + 1.9) / 2) * 2




def half_even(x):
    return math.trunc((x + 1.5) / 2) * 2


def read_entries(entries):
    """Forces in N and N·mm, the section in mm, and the grades, with the window's defaults."""
    return dict(
        N=float(entries.get("EdtN", 80)) * 1000, M=float(entries.get("EdtM", 160)) * 1e6,
        V=float(entries.get("EdtV", 40)) * 1000, hb=float(entries.get("Edthc", 450)),
        bf=float(entries.get("Edtbf", 200)), tw=float(entries.get("Edttw", 9)), tf=float(entries.get("Edttf", 14)),
        grade=entries.get("CBf", "Q235"), concrete=entries.get("CBfc", "C25"), bolt=entries.get("CBfta", "Q235"))


def pressure(N, M, L, B, lt, n, Aems, Ec, dms, within_bolt_row_xn):
    """Eccentricity case, compressed zone, bearing stress and bolt tension."""
    e = M / N
    v = {}
    if 0 < e <= L / 6:
        ta, ylc, xn = 0.0, (6 * e / L + 1) * N / L / B, L
    elif 0 < e <= L / 6 + lt / 3:
        ta, ylc, xn = 0.0, 2 * N / (L / 2 - e) / 3 / B, within_bolt_row_xn(e)
    else:
        ylmax = N / (B * L) + 6 * M / (B * L * L)
        ylmin = N / (B * L) - 6 * M / (B * L * L)
        xn = ylmax * L / (ylmax - ylmin)
        ta = (M - N * (L / 2 - xn / 3)) / (L - lt - xn / 3)
        ylc = ylmax
        v.update(ylmax=ylmax, ylmin=ylmin)
        if dms >= 60:
            # The compressed zone from the equilibrium with the bolt row: the root of a cubic.
            def residual(x):
                return x ** 3 + 3 * (e - L / 2) * x ** 2 - 6 * (ES / Ec) * (n / 2) * (Aems / B) * (e + L / 2 - lt) * (L - lt - x)
            low, high = 0.0, L
            for _ in range(200):
                mid = (low + high) / 2
                if residual(mid) > 0:
                    high = mid
                else:
                    low = mid
            xn = (low + high) / 2
            ta = (e - L / 2 + xn / 3) * N / (L - lt - xn / 3)
            ylc = 2 * N * (L / 2 + e - lt) / B / xn / (L - lt - xn / 3)
    v.update(e=e, write3=L / 6 + lt / 3, xn=xn, ylc=ylc, ta=ta)
    return v


def three_side(b, a, q):
    """Ratio, coefficient and moment of a panel on three sides; a cantilever below 0.3."""
    r = b / a
    alf = interpolate(ALF, r, 0.133)
    return r, alf, (0.5 * q * b * b if r < 0.3 else alf * q * a * a)


def four_side(b, a, q):
    r = b / a
    beta = interpolate(BETA, r, 0.125)
    return r, beta, beta * q * a * a


def rigid_plate_panels(ylc, xn, L, hb, tw, tf, a, c, lt, bt, tjjl, a3):
    """The panels of an exposed rigid plate: beside the web under the pressure at mid-length, the
    others under the edge pressure. a3 is the short side between the flanges, which the bolt layout
    sets. Returns the held panel quantities and M2."""
    q = ylc
    qr = ylc * (xn - L / 2) / xn
    a21, b21 = hb - 2 * tjjl, bt + c
    r11, alf1, M221 = three_side(b21, a21, qr)
    a22, b22 = 2 * c, a + lt
    r12, alf2, M222 = three_side(b22, a22, q)
    a23 = math.sqrt((a + lt) ** 2 + (c + bt) ** 2)
    b23 = (a + lt) * (c + bt) / a23
    r13, alf3, M223 = three_side(b23, a23, q)
    b3 = hb - 2 * tf
    r2, beta, M224 = four_side(b3, a3, qr)
    M2 = max(0.0, M221, M222, M223, M224)
    return dict(b21=b21, a21=a21, r11=r11, alf1=alf1, M221=M221, b22=b22, a22=a22, r12=r12, alf2=alf2, M222=M222,
                b23=b23, a23=a23, r13=r13, alf3=alf3, M223=M223, b3=b3, a3=a3, r2=r2, beta=beta, M224=M224, M2=M2)


def bolt_widths(a, c, lt, bt):
    """Effective widths of the plate at a tension bolt: beside the stiffener and across the spacing 2c."""
    la1 = min(a * (3.5 - 1.5 * a / (a + lt)), c + bt)
    lc1 = min(c * (3.5 - 1.5 * c / (c + bt)), a + lt)
    la2 = min(a * (3.5 - 1.5 * a / (a + lt)), 2 * c)
    lc2 = min(2.75 * c, a + lt)
    return la1, lc1, la2, lc2


def panel_thickness(grade, M2):
    """Thickness for the largest panel moment, with f of the group that thickness falls in."""
    return thickness_in_group(grade, lambda f: math.sqrt(6 * M2 / f))[0]


def plate_welds(N, M, V, L, hb, bf, tf, hf5):
    """Column and boot beams welded all round to the plate."""
    AF = bf * tf
    Aeww = 0.7 * hf5 * ((L - 2 * hf5) + 2 * ((L - hb) / 2 - 2 * hf5)) * 2
    ylnc = N / (2 * AF + Aeww)
    Iw = 0.7 * hf5 * (L - 2 * hf5) ** 3 / 6 - 0.7 * hf5 * hb ** 3 / 12 + bf * tf ** 3 / 12 + bf * tf * ((hb - tf) / 2) ** 2
    ylmc = (M * L / 4) / Iw
    ylv = V / Aeww
    ylf = ylnc + ylmc
    ylfs = math.sqrt(((ylnc + ylmc) / BETA_F) ** 2 + ylv ** 2)
    return dict(AF=AF, Aeww=Aeww, ylnc=ylnc, Iw=Iw, ylmc=ylmc, ylv=ylv, ylf=ylf, ylfs=ylfs)


def boot_beam_section(tpb, B, hsh, tsh):
    ax = tpb * B * (hsh + tpb) / 2 / (2 * tsh * hsh + tpb * B)
    Ix = 2 * (tsh * hsh ** 3 / 12 + tsh * hsh * ax ** 2) + B * tpb ** 3 / 12 + B * tpb * ((hsh + tpb) / 2 - ax) ** 2
    return ax, Ix


def write_expected(path, cases, design):
    import json
    out = []
    for c in cases:
        values = design(c)
        # Checks whose demand is no held quantity (a layout width): {check id: demand}.
        checks = values.pop("checks", None)
        out.append({"name": c["name"], "entries": c["entries"], "cbsize": c.get("cbsize", True), "sizes": c["sizes"],
                    "values": values})
        if checks:
            out[-1]["checks"] = checks
    with open(path, "w", encoding="utf-8") as f:
        json.dump(out, f, ensure_ascii=False, indent=1)
        f.write("\n")
