"""Independent check of the item blocks of note request documents.

Reads every *.txt in the folder given as the only argument as Windows-1252
and checks, per document: the items' freight, insurance, discount and other
expenses are never negative and add up to the note's amounts in [ICMStot];
"vpis"/"vcofins" of [ICMStot] are the sums of the goods items' rate amounts;
"vprod" of [ICMStot] is the items' products less the service items';
"qcom" x "vuncom" is within 0.01 of each item's "vprod"; no "inf" or "nan"
appears. Prints one line per fault and exits 1 when there is any.
"""

import pathlib
import re
import sys
from decimal import Decimal

RATEADOS = (("vFrete", "vfrete"), ("vseg", "vseg"), ("vdesc", "vdesc"), ("voutro", "voutro"))
NAO_NUMERO = re.compile(r" = -?(inf|nan)", re.IGNORECASE)
GRUPOS_TAXA = {"pisaliq", "pisoutr", "pisst", "cofinsaliq", "cofinsoutr", "cofinsst"}


def le_documento(texto):
    """The [ICMStot] keys and, per item, its keys and its sections' keys."""
    totais, itens = {}, []
    secao, atual = None, None
    for linha in texto.split("\r\n"):
        conteudo = linha.strip()
        if conteudo.startswith("[") and conteudo.endswith("]"):
            secao = conteudo[1:-1]
            if secao == "Prod":
                atual = {"prod": {}, "secoes": []}
                itens.append(atual)
            elif atual is not None:
                atual["secoes"].append((secao, {}))
            continue
        if " = " not in linha:
            continue
        chave, valor = linha.split(" = ", 1)
        chave = chave.strip()
        if secao == "ICMStot" and atual is None:
            totais[chave] = valor
        elif atual is not None and secao == "Prod":
            atual["prod"][chave] = valor
        elif atual is not None:
            atual["secoes"][-1][1][chave] = valor
    return totais, itens


def confere(nome, texto):
    falhas = []
    if NAO_NUMERO.search(texto):
        falhas.append("%s: inf ou nan" % nome)
    totais, itens = le_documento(texto)
    for chave_item, chave_nota in RATEADOS:
        valores = [Decimal(i["prod"].get(chave_item, "0")) for i in itens]
        if any(v < 0 for v in valores):
            falhas.append("%s: %s negativo" % (nome, chave_item))
        if sum(valores, Decimal(0)) != Decimal(totais[chave_nota]):
            falhas.append("%s: soma de %s %s != %s" % (nome, chave_item, sum(valores), totais[chave_nota]))
    servico = [any(s == "ISSQN" for s, _ in i["secoes"]) for i in itens]
    for tributo in ("pis", "cofins"):
        soma = Decimal(0)
        for item, eh_servico in zip(itens, servico):
            if eh_servico:
                continue
            for secao, chaves in item["secoes"]:
                if secao in GRUPOS_TAXA and secao.startswith(tributo):
                    soma += Decimal(chaves["v" + tributo])
        if soma != Decimal(totais["v" + tributo]):
            falhas.append("%s: v%s %s != soma %s" % (nome, tributo, totais["v" + tributo], soma))
    produtos = sum((Decimal(i["prod"]["vprod"]) for i in itens), Decimal(0))
    servicos = sum((Decimal(i["prod"]["vprod"]) for i, s in zip(itens, servico) if s), Decimal(0))
    if Decimal(totais["vprod"]) != produtos - servicos:
        falhas.append("%s: vprod %s != %s" % (nome, totais["vprod"], produtos - servicos))
    for numero, item in enumerate(itens, 1):
        p = item["prod"]
        if abs(Decimal(p["qcom"]) * Decimal(p["vuncom"]) - Decimal(p["vprod"])) > Decimal("0.01"):
            falhas.append("%s item %d: %s x %s != %s" % (nome, numero, p["qcom"], p["vuncom"], p["vprod"]))
    return falhas


def main():
    pasta = pathlib.Path(sys.argv[1])
    falhas = []
    arquivos = sorted(pasta.glob("*.txt"))
    for arquivo in arquivos:
        falhas += confere(arquivo.name, arquivo.read_bytes().decode("cp1252"))
    for falha in falhas:
        print(falha)
    print("%d documentos" % len(arquivos), file=sys.stderr)
    return 1 if falhas else 0


if __name__ == "__main__":
    sys.exit(main())
